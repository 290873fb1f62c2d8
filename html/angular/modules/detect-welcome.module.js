// The welcome view: the first view of the wizard. It shows the loading animation while
// the kernel detects the scenario, then the screen of the detected scenario or the view
// that serves it, and collects the install options on the install screen. Its handlers
// for interruptions and errors stay connected for the page's lifetime and lead the
// wizard from any view.
(function () {
    'use strict';

    var LOADING = 30;

    // The folder this platform installs into until the kernel names its own.
    var DEFAULT_INSTALL_DIRECTORY = '/opt/korvane/korvane antivirus';

    // Appends the product's folder to a folder the user chose. Windows paths (a drive
    // letter or a backslash) are joined with backslashes, this platform's own with "/".
    function installFolderIn(folder) {
        var windows = /^[A-Za-z]:/.test(folder) || folder.indexOf('\\') !== -1;
        var separator = windows ? '\\' : '/';
        var product = windows ? 'korvane\\korvane antivirus' : 'korvane/korvane antivirus';
        var joint = folder.charAt(folder.length - 1) === separator ? '' : separator;
        return folder + joint + product;
    }

    angular.module('detectWelcome', ['ngRoute', 'ngDialog', 'gettext']).component('detectWelcome', {
        templateUrl: 'templates/detect-welcome.template.html',
        controller: WelcomeController
    });

    WelcomeController.$inject = ['$scope', '$rootScope', '$location', 'gettext', 'dialogBox', 'kernelEvents'];
    function WelcomeController($scope, $rootScope, $location, gettext, dialogBox, kernelEvents) {
        var kernel = window.updater_kernel;
        var windowHelpers = window.window_helpers;
        var S = ScenarioEnum;
        var vm = this;

        // Which screen shows: the scenario's, LOADING for the loading animation, 0 for
        // the unknown screen.
        vm.scenario = $rootScope.GetScenario;
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

        // Answers and signals arrive outside the framework's event handling; the root
        // scope is used because these handlers outlive the view's own scope.
        function refresh(change) {
            return function () {
                var args = arguments;
                $rootScope.$apply(function () {
                    change.apply(null, args);
                });
            };
        }

        function go(route) {
            $location.path(route);
        }

        function setButtonTexts(compatible) {
            vm.welcome.button_text1 = compatible ? gettext('Compatible Install') : gettext('Start Install');
            vm.welcome.button_text2 = compatible ? gettext('Install as 2nd line of defense') : '';
        }

        function askRebootRequired() {
            kernel.RebootRequired(refresh(function (required) {
                vm.rebootRequired = !!required;
            }));
        }

        function askNextRoute() {
            kernel.IsTsOfferAvailable(refresh(function (available) {
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
            kernel.IncompatiblesDetected(refresh(function (detected) {
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
            vm.scenario = S.Install;
            askRebootRequired();
            kernel.SetView('License');
            askNextRoute();
            kernel.GetCompatibleInstall(refresh(function (compatible) {
                vm.switchCompatible = !!compatible;
                setButtonTexts(!!compatible);
            }));
            kernel.GetCreateDesktopShortcut(refresh(function (create) {
                vm.switchDesktopIcon = !!create;
            }));
            sendRunOptions();
        }

        function scenarioDetected(scenario) {
            vm.scenario = scenario;
            askRebootRequired();
            $rootScope.GetScenario = scenario;
            switch (scenario) {
            case S.RebootRequired:
                kernel.SetView('RebootRequired');
                break;
            case S.UninstallKV9:
            case S.UninstallKV10:
            case S.UninstallKV11:
                kernel.SetView({ 2: 'UninstallKorvane9', 3: 'UninstallKorvane10', 16: 'UninstallKorvane11' }[scenario]);
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
                vm.scenario = S.Unknown;
            }
        }

        kernel.GetInstallDirectory(refresh(function (directory) {
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
            vm.scenario = floating ? LOADING : $rootScope.GetScenario;
        });
        kernelEvents.on('ScenarioDetectedSignal', scenarioDetected);

        if ($rootScope.GetScenario === S.Install) {
            showInstallScreenAgain();
        } else {
            kernel.Init();
        }

        function close() {
            windowHelpers.Close();
        }

        function ask(content, onYes) {
            dialogBox.open($scope, 'dialogConfirm', content).then(onYes, angular.noop);
        }

        // Buttons and boxes of the screens.
        vm.next = function () {
            if (vm.welcome.next) {
                go(vm.welcome.next);
            }
        };
        vm.closeUpdater = function () {
            ask(dialogBox.texts.closeUpdater, close);
        };
        vm.close = close;
        vm.cancelInstallation = function () {
            ask(dialogBox.texts.cancelInstallation, close);
        };
        vm.rebootNow = function () {
            kernel.SetRebootRequired(true);
            close();
        };
        vm.closeRebootScreen = function () {
            if (vm.rebootRequired) {
                dialogBox.reboot($scope);
            } else {
                close();
            }
        };
        vm.back = function () {
            kernel.SetScenario(S.Change);
        };
        vm.changeNext = function () {
            if (vm.change.name === 'remove') {
                vm.backButton = true;
                kernel.SetScenario(S.Uninstall);
            } else {
                kernel.SetScenario(S.Repair);
            }
        };
        vm.openLicense = function () {
            kernel.ExecUrl(90);
        };
        vm.compatibleChanged = function () {
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
        };
        vm.desktopIconChanged = function () {
            kernel.SetCreateDesktopShortcut(vm.switchDesktopIcon);
        };
        vm.browse = function () {
            window.ui_extensions.ShowChooseFolderDialog(false, false, refresh(function (folder) {
                if (!folder) {
                    return;
                }
                vm.installDirectory = installFolderIn(folder);
                kernel.SetInstallDirectory(vm.installDirectory);
            }));
        };
    }
})();
