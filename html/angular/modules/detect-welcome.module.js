// The welcome view: the first view of the wizard. It shows the loading animation while
// the kernel detects the scenario, then the screen of the detected scenario or the view
// that serves it, and collects the install options on the install screen. Its handlers
// for interruptions and errors stay connected for the page's lifetime and lead the
// wizard from any view.
(function () {
    'use strict';

    // The folder this platform installs into until the kernel names its own.
    var DEFAULT_INSTALL_DIRECTORY = '/opt/korvane/korvane antivirus';

    function has(table, key) {
        return Object.prototype.hasOwnProperty.call(table, key);
    }

    // Appends the product's folder to a folder the user chose. Windows paths (a drive
    // letter or a backslash) are joined with backslashes, this platform's own with "/".
    function installFolderIn(folder) {
        var windows = /^[A-Za-z]:/.test(folder) || folder.indexOf('\\') !== -1;
        var separator = windows ? '\\' : '/';
        var product = windows ? 'korvane\\korvane antivirus' : 'korvane/korvane antivirus';
        var joint = folder.charAt(folder.length - 1) === separator ? '' : separator;
        return folder + joint + product;
    }

    angular.module('detectWelcome', ['ngRoute', 'gettext', 'korvaneCore']).component('detectWelcome', {
        templateUrl: 'templates/detect-welcome.template.html',
        controller: WelcomeController
    });

    // The welcome view's screens by scenario. A scenario served by another view has no
    // screen here: the wizard moves on.
    function screenTable(S, loading) {
        var screens = {};
        screens[loading] = 'loading';
        screens[S.Install] = 'install';
        screens[S.UninstallKV9] = screens[S.UninstallKV10] = screens[S.UninstallKV11] = 'previous';
        screens[S.RebootRequired] = 'reboot';
        screens[S.LatestVersion] = 'latest';
        screens[S.Corrupted] = 'corrupted';
        screens[S.Uninstall] = 'uninstall';
        screens[S.Change] = 'change';
        screens[S.Unknown] = 'unknown';
        return screens;
    }

    // The previous product generations: the version the screen marks and the screen name
    // reported to the program.
    function previousTable(S) {
        var previous = {};
        previous[S.UninstallKV9] = { version: 9, view: 'UninstallKorvane9' };
        previous[S.UninstallKV10] = { version: 10, view: 'UninstallKorvane10' };
        previous[S.UninstallKV11] = { version: 11, view: 'UninstallKorvane11' };
        return previous;
    }

    WelcomeController.$inject = ['$scope', '$rootScope', '$location', 'gettext', 'dialogBox', 'kernelEvents',
        'channel', 'toView', 'Scenario', 'LOADING_SCENARIO', 'LINK'];
    function WelcomeController($scope, $rootScope, $location, gettext, dialogBox, kernelEvents,
        channel, toView, S, LOADING, LINK) {
        var kernel = channel.kernel;
        var windowHelpers = channel.windowHelpers;
        var screens = screenTable(S, LOADING);
        var previous = previousTable(S);
        var vm = this;

        // The scenario the view shows (LOADING while the kernel detects, 0 for one the
        // page does not know), and from it the screen.
        vm.scenario = null;
        vm.screen = null;
        vm.previousVersion = null;
        vm.rebootRequired = false;
        vm.incompatiblesDetected = false;
        vm.switchCompatible = false;
        vm.switchDesktopIcon = true;
        vm.privacyPolicyAgreement = false;
        vm.backButton = false;
        vm.change = { name: 'repair' };
        vm.welcome = {};
        vm.popover = false;
        vm.installDirectory = DEFAULT_INSTALL_DIRECTORY;

        vm.next = next;
        vm.closeUpdater = closeUpdater;
        vm.close = close;
        vm.cancelInstallation = cancelInstallation;
        vm.rebootNow = rebootNow;
        vm.closeRebootScreen = closeRebootScreen;
        vm.back = back;
        vm.changeNext = changeNext;
        vm.openLicense = openLicense;
        vm.compatibleChanged = compatibleChanged;
        vm.desktopIconChanged = desktopIconChanged;
        vm.browse = browse;
        vm.$onInit = onInit;

        function onInit() {
            show($rootScope.GetScenario);

            kernel.GetInstallDirectory(toView(function (directory) {
                vm.installDirectory = directory;
            }));

            // Page-wide: these lead the wizard from any view. A detection reaches them only
            // while no run has started (see kernelEvents).
            kernelEvents.on('InterruptedSignal', function () {
                kernel.SetView('InstallInterrupted');
                go('/detectInterrupted');
            });
            kernelEvents.on('ErrorSignal', function () {
                go('/detectErrors');
            });
            kernelEvents.on('FloatingProgressSignal', function (floating) {
                show(floating ? LOADING : $rootScope.GetScenario);
            });
            kernelEvents.on('ScenarioDetectedSignal', scenarioDetected);

            if ($rootScope.GetScenario === S.Install) {
                showInstallScreenAgain();
            } else {
                kernel.Init();
            }
        }

        // The one place that decides the screen.
        function show(scenario) {
            vm.scenario = scenario;
            vm.screen = has(screens, scenario) ? screens[scenario] : null;
            vm.previousVersion = has(previous, scenario) ? previous[scenario].version : null;
        }

        function go(route) {
            $location.path(route);
        }

        function setButtonTexts(compatible) {
            vm.welcome.button_text1 = compatible ? gettext('Compatible Install') : gettext('Start Install');
            vm.welcome.button_text2 = compatible ? gettext('Install as 2nd line of defense') : '';
        }

        function askRebootRequired() {
            kernel.RebootRequired(toView(function (required) {
                vm.rebootRequired = !!required;
            }));
        }

        function askNextRoute() {
            kernel.IsTsOfferAvailable(toView(function (available) {
                vm.welcome.next = available ? '/detectOffers' : '/detectInstall';
            }));
        }

        function sendRunOptions() {
            kernel.SetRebootRequired(false);
            kernel.SetRunDesktop(true);
            kernel.SetEnableWindowsDefender(false);
            kernel.SetEnableWindowsFirewall(false);
        }

        // The install screen on detection. The settings go out before the answers come
        // back; the channel keeps the order, so the kernel ends with the compatible
        // setting of the IncompatiblesDetected answer.
        function showInstallScreen() {
            kernel.SetView('License');
            askNextRoute();
            kernel.IncompatiblesDetected(toView(function (detected) {
                detected = !!detected;
                kernel.SetCompatibleInstall(detected);
                vm.incompatiblesDetected = detected;
                vm.switchCompatible = detected;
                setButtonTexts(detected);
            }));
            // A second detection rebuilds the screen: it shows what the kernel is told.
            kernel.SetInstallDirectory(vm.installDirectory);
            vm.switchCompatible = false;
            kernel.SetCompatibleInstall(false);
            vm.switchDesktopIcon = true;
            kernel.SetCreateDesktopShortcut(true);
            sendRunOptions();
        }

        // The install screen again on return from the offer view, from the kernel's
        // current settings and without a new detection.
        function showInstallScreenAgain() {
            show(S.Install);
            askRebootRequired();
            kernel.SetView('License');
            askNextRoute();
            kernel.GetCompatibleInstall(toView(function (compatible) {
                vm.switchCompatible = !!compatible;
                setButtonTexts(!!compatible);
            }));
            kernel.GetCreateDesktopShortcut(toView(function (create) {
                vm.switchDesktopIcon = !!create;
            }));
            sendRunOptions();
        }

        function scenarioDetected(scenario) {
            show(scenario);
            askRebootRequired();
            $rootScope.GetScenario = scenario;
            switch (scenario) {
            case S.RebootRequired:
                kernel.SetView('RebootRequired');
                break;
            case S.UninstallKV9:
            case S.UninstallKV10:
            case S.UninstallKV11:
                kernel.SetView(previous[scenario].view);
                vm.welcome.next = '/detectUninstall';
                break;
            case S.LatestVersion:
                kernel.SetView('LatestVersion');
                break;
            case S.Corrupted:
                kernel.SetView('Corrupted');
                vm.welcome.next = '/detectUninstall';
                break;
            case S.Install:
                showInstallScreen();
                break;
            case S.Update:
            case S.InstallRealTimeProtection:
            case S.InstallNetworkProtection:
            case S.InstallFeatures:
            case S.InstallActiveVirusControl:
                kernel.SetView('Installing');
                go('/detectInstall');
                break;
            case S.Uninstall:
                kernel.SetView('Uninstall');
                vm.welcome.next = '/detectProtection';
                break;
            case S.AlreadyStarted:
                kernel.SetView('AlreadyStarted');
                go('/detectErrors');
                break;
            case S.Repair:
                kernel.SetView('Installing');
                go('/detectRepair');
                break;
            case S.Change:
                break;
            case S.VeltrionDetected:
                kernel.SetView('VeltrionDetected');
                go('/detectErrors');
                break;
            default:
                $rootScope.GetScenario = S.Unknown;
                show(S.Unknown);
            }
        }

        function close() {
            windowHelpers.Close();
        }

        function ask(content, onYes) {
            dialogBox.open($scope, 'dialogConfirm', content).then(onYes, angular.noop);
        }

        // Buttons and boxes of the screens.
        function next() {
            if (vm.welcome.next) {
                go(vm.welcome.next);
            }
        }

        function closeUpdater() {
            ask(dialogBox.texts.closeUpdater, close);
        }

        function cancelInstallation() {
            ask(dialogBox.texts.cancelInstallation, close);
        }

        function rebootNow() {
            kernel.SetRebootRequired(true);
            close();
        }

        function closeRebootScreen() {
            if (vm.rebootRequired) {
                dialogBox.reboot($scope);
            } else {
                close();
            }
        }

        function back() {
            kernel.SetScenario(S.Change);
        }

        function changeNext() {
            if (vm.change.name === 'remove') {
                vm.backButton = true;
                kernel.SetScenario(S.Uninstall);
            } else {
                kernel.SetScenario(S.Repair);
            }
        }

        function openLicense() {
            kernel.ExecUrl(LINK.license);
        }

        function compatibleChanged() {
            var ticked = vm.switchCompatible;
            vm.switchCompatible = false;
            setButtonTexts(false);
            if (!ticked) {
                kernel.SetCompatibleInstall(false);
                return;
            }
            dialogBox.open($scope, 'dialogConfirmWithContent', {
                title: gettext('Installing Korvane Antivirus Compatible Mode'),
                text: gettext('Selecting this option will install Korvane Antivirus in a Compatible mode in order to avoid any conflicts with your current security product. Some Korvane Antivirus features will not be installed or will be turned off, which means that you will not receive a full protection.'),
                question: gettext('Are you sure you want to install Korvane Antivirus in Compatible Mode?')
            }).then(function () {
                vm.switchCompatible = true;
                kernel.SetCompatibleInstall(true);
                setButtonTexts(true);
            }, function () {
                vm.switchCompatible = false;
                kernel.SetCompatibleInstall(false);
                setButtonTexts(false);
            });
        }

        function desktopIconChanged() {
            kernel.SetCreateDesktopShortcut(vm.switchDesktopIcon);
        }

        function browse() {
            channel.uiExtensions.ShowChooseFolderDialog(false, false, toView(function (folder) {
                if (!folder) {
                    return;
                }
                vm.installDirectory = installFolderIn(folder);
                kernel.SetInstallDirectory(vm.installDirectory);
            }));
        }
    }
})();
