// The header above every view: the logo, the language selector, the two kernel warnings
// that can come during a run, and the rules that decide what a close request does.
(function () {
    'use strict';

    angular.module('header', ['gettext', 'korvaneCore', 'languages'])
        // Set at boot, before any view is built: the header and the first view are built
        // in whichever order their templates arrive, and the view reads the value at once.
        .run(['$rootScope', 'LOADING_SCENARIO', function ($rootScope, LOADING_SCENARIO) {
            $rootScope.GetScenario = LOADING_SCENARIO;
        }])
        .component('mainHeader', {
            templateUrl: 'templates/header.template.html',
            controller: HeaderController
        });

    // LANGUAGES: the languages the page offers, in the selector's order, with the program's
    // locale ids (the program keeps the id, the page shows the code's catalog).
    HeaderController.$inject = ['$scope', '$rootScope', '$document', 'gettext', 'gettextCatalog', 'languageCatalogs', 'dialogBox',
        'kernelEvents', 'channel', 'toView', 'Scenario', 'LANGUAGES'];
    function HeaderController($scope, $rootScope, $document, gettext, gettextCatalog, languageCatalogs, dialogBox,
        kernelEvents, channel, toView, S, LANGUAGES) {
        var kernel = channel.kernel;
        var windowHelpers = channel.windowHelpers;
        var state = {
            closeInstallation: false,
            startedInstallation: false,
            completedInstallation: false
        };
        // The language last chosen: a catalog that arrives after a later choice is not shown.
        var wanted = null;
        var vm = this;

        vm.languages = LANGUAGES;
        vm.language = { code: gettextCatalog.getCurrentLanguage() };
        vm.state = state;
        vm.changeLanguage = changeLanguage;
        vm.$onInit = onInit;

        function onInit() {
            // The saved language, read once; an id the page does not offer shows English
            // and stays saved.
            kernel.LoadLocale(toView(function (id) {
                var row = id === null || id === undefined ? null : rowOf(function (r) { return r.id === id; });
                useLanguage((row || LANGUAGES[0]).code);
            }));

            kernelEvents.on('NotEnoughDiskSpaceSignal', function () {
                warning('diskSpace', {
                    title: gettext('Warning!'),
                    text1: gettext('There is not enough disk space on your hard drive.')
                }, retry, close);
            });
            kernelEvents.on('AnotherInstallationInProgressSignal', function () {
                warning('busy', {
                    title: gettext('Warning!'),
                    text1: gettext('Another program installation is already in progress.'),
                    text2: gettext('Complete that installation before proceeding with this install.')
                }, retry, function () {
                    kernel.Interrupt();
                });
            });

            kernelEvents.on('StartedSignal', function () {
                state.startedInstallation = true;
            });
            kernelEvents.on('CompleteSignal', function () {
                state.startedInstallation = false;
                state.completedInstallation = true;
            });
            kernelEvents.on('ErrorSignal', function () {
                state.closeInstallation = true;
            });
            kernelEvents.on('InterruptedSignal', function () {
                state.closeInstallation = true;
            });

            windowHelpers.WindowCloseRequestSignal.connect(toView(closeRequest));
        }

        function rowOf(predicate) {
            for (var i = 0; i < LANGUAGES.length; i += 1) {
                if (predicate(LANGUAGES[i])) {
                    return LANGUAGES[i];
                }
            }
            return null;
        }

        // The selector shows the choice at once, the texts as soon as its catalog is there.
        function useLanguage(code) {
            wanted = code;
            vm.language.code = code;
            languageCatalogs.load(code).then(function () {
                if (wanted === code) {
                    gettextCatalog.setCurrentLanguage(code);
                    $rootScope.CurrentLanguage = code;
                    // Speech follows the texts' language.
                    $document[0].documentElement.lang = code;
                }
            });
        }

        function changeLanguage() {
            var row = rowOf(function (r) { return r.code === vm.language.code; });
            if (row) {
                kernel.SaveLocale(row.id, function () {});
                useLanguage(row.code);
            }
        }

        function close() {
            windowHelpers.Close();
        }

        function ask(content, onYes) {
            dialogBox.open($scope, 'dialogConfirm', content).then(onYes, angular.noop);
        }

        // The kernel's two warnings about a start: one box each, at most, and none once
        // the run has ended (a "Retry" would start a second run). A box still open when
        // the run ends closes without acting.
        function warning(kind, content, onRetry, onCancel) {
            if (kernelEvents.run() === 'ended') {
                return;
            }
            var answer = dialogBox.open($scope, 'dialogConfirmRetry', content, { kind: kind, run: true });
            if (answer) {
                answer.then(onRetry, onCancel);
            }
        }

        function retry() {
            kernel.Start();
        }

        // "Yes" to a cancel question of a close request interrupts the run while it is
        // going; once it has ended, the question can only mean closing the window.
        function interruptOrClose() {
            if (kernelEvents.run() === 'ended') {
                close();
            } else {
                kernel.Interrupt();
            }
        }

        // The close-request rules: the first row that matches the current scenario and
        // the run's state decides. Open dialogs end with their negative answer before a
        // new one opens.
        function closeRequest() {
            var scenario = $rootScope.GetScenario;
            var failed = state.closeInstallation;
            var started = state.startedInstallation;
            var completed = state.completedInstallation;
            var texts = dialogBox.texts;

            function dialog(open) {
                dialogBox.closeAll();
                open();
            }

            switch (scenario) {
            case S.Install:
            case S.Update:
            case S.Corrupted:
                if (failed || completed) {
                    return close();
                }
                if (started && scenario === S.Install) {
                    return dialog(function () { ask(texts.cancelInstallation, close); });
                }
                if (started && scenario === S.Update) {
                    return dialog(function () { ask(texts.cancelUpdate, close); });
                }
                return dialog(function () { ask(texts.closeUpdater, close); });
            case S.Uninstall:
            case S.UninstallKV9:
            case S.UninstallKV10:
            case S.UninstallKV11:
                if (failed) {
                    return close();
                }
                if (started) {
                    return dialog(function () {
                        ask(scenario === S.UninstallKV11
                            ? { title: texts.cancelUninstallation.title, text: texts.cancelUpdate.text }
                            : texts.cancelUninstallation, interruptOrClose);
                    });
                }
                if (completed && scenario !== S.Uninstall) {
                    return dialog(function () { dialogBox.reboot($scope); });
                }
                if (completed) {
                    return close();
                }
                return dialog(function () { ask(texts.closeUpdater, close); });
            case S.Change:
                return dialog(function () { ask(texts.closeUpdater, close); });
            case S.Repair:
                if (failed || completed) {
                    return close();
                }
                return dialog(function () {
                    ask(texts.cancelRepair, interruptOrClose);
                });
            case S.RebootRequired:
            case S.InstallRealTimeProtection:
            case S.InstallNetworkProtection:
            case S.InstallFeatures:
                return dialog(function () { dialogBox.reboot($scope); });
            default:
                return close();
            }
        }
    }
})();
