// The page application: its module, its settings, the shared dialog box and the two
// text factories that turn the kernel's numbers and step names into display texts.
(function () {
    'use strict';

    angular.module('KorvaneUpdater', ['ngRoute', 'header', 'detectWelcome', 'detectProgress', 'detectComplete',
        'detectOffers', 'detectProtection', 'detectInterrupted', 'detectErrors'])
        .config(['ngDialogProvider', function (ngDialogProvider) {
            ngDialogProvider.setOpenOnePerName(true);
        }])
        .config(['$provide', function ($provide) {
            // An exception in a page expression or handler goes to the web console and
            // the page goes on.
            $provide.decorator('$exceptionHandler', ['$delegate', function ($delegate) {
                return function (exception, cause) {
                    $delegate(exception, cause);
                };
            }]);
        }])
        // kernelEvents is asked for here so that it connects to the channel before any view.
        .run(['gettextCatalog', '$document', '$templateRequest', 'kernelEvents', function (gettextCatalog, $document,
            $templateRequest) {
            // The dialog templates are fetched now: a question asked while the kernel floods
            // the page with events would otherwise wait for its template behind them.
            ['dialogConfirm', 'dialogConfirmReboot', 'dialogConfirmRetry', 'dialogConfirmOffer',
                'dialogConfirmWithContent'].forEach(function (name) {
                $templateRequest('templates/' + name + '.template.html');
            });
            // A text without translation shows plainly.
            gettextCatalog.debug = false;
            // Nothing can be dragged out of the page: no image, link or selected text.
            $document.on('dragstart', function (event) {
                event.preventDefault();
            });
        }])
        .factory('kernelEvents', KernelEvents)
        .factory('dialogBox', DialogBox)
        .factory('myComponent', MyComponent)
        .factory('myDescription', MyDescription);

    // The kernel's signals as the views take them (the service connects to the channel
    // once, when the application starts), and the page's view of the run.
    //
    // Progress values (both positions and the step text) change the screen at most once a
    // frame: each signal keeps only its latest value until the next frame applies them all
    // in one go. Every other signal first applies the values still pending, so nothing
    // older shows after a newer event and an end event always follows the values before it.
    //
    // The run is "idle" until the page starts it (or the kernel reports it started),
    // "running" then, and "ended" from the first end event (Complete, Error, Interrupted),
    // also one that comes without a run. Listeners hear:
    // - ScenarioDetected only while the run is idle: a detection during or after a run
    //   neither moves the wizard nor starts a second run;
    // - the first end event; after it only an error that follows an error or an
    //   interruption (the errors view shows its text; a stop can fail on its way back).
    //   A later Complete or Interrupted, and anything after a completion, contradicts the
    //   outcome and reaches nobody.
    KernelEvents.$inject = ['$rootScope', '$browser', '$window'];
    function KernelEvents($rootScope, $browser, $window) {
        var kernel = $window.updater_kernel;
        var FRAMED = ['ProgressPositionChangedSignal', 'ComponentsProgressPositionChangedSignal',
            'ProgressDescriptionChangedSignal'];
        var IN_TURN = ['ScenarioDetectedSignal', 'StartedSignal', 'CompleteSignal', 'ErrorSignal', 'InterruptedSignal',
            'NotEnoughDiskSpaceSignal', 'AnotherInstallationInProgressSignal', 'ProgressComponentChangedSignal',
            'FloatingProgressSignal'];
        var END = ['CompleteSignal', 'ErrorSignal', 'InterruptedSignal'];
        var listeners = {};
        var pending = {};
        var pendingOrder = [];
        var frameAsked = false;
        var run = 'idle';
        var outcome = null;

        function deliver(signal, args) {
            (listeners[signal] || []).slice().forEach(function (listener) {
                listener.apply(null, args);
            });
        }

        function applyPending() {
            var order = pendingOrder;
            var values = pending;
            pendingOrder = [];
            pending = {};
            order.forEach(function (signal) {
                deliver(signal, values[signal]);
            });
        }

        // Counted like a request in flight, so that whoever waits for the page to be idle
        // also waits for the frame.
        function onFrame() {
            frameAsked = false;
            try {
                if (pendingOrder.length) {
                    $rootScope.$apply(applyPending);
                }
            } finally {
                $browser.$$completeOutstandingRequest(angular.noop);
            }
        }

        function heard(signal) {
            if (signal === 'ScenarioDetectedSignal') {
                return run === 'idle';
            }
            if (signal === 'StartedSignal') {
                if (run === 'idle') {
                    run = 'running';
                }
                return true;
            }
            if (END.indexOf(signal) === -1) {
                return true;
            }
            if (outcome === null) {
                outcome = signal;
                run = 'ended';
                return true;
            }
            return signal === 'ErrorSignal' && outcome !== 'CompleteSignal';
        }

        FRAMED.forEach(function (signal) {
            kernel[signal].connect(function () {
                if (!Object.prototype.hasOwnProperty.call(pending, signal)) {
                    pendingOrder.push(signal);
                }
                pending[signal] = Array.prototype.slice.call(arguments);
                if (!frameAsked) {
                    frameAsked = true;
                    $browser.$$incOutstandingRequestCount();
                    $window.requestAnimationFrame(onFrame);
                }
            });
        });
        IN_TURN.forEach(function (signal) {
            kernel[signal].connect(function () {
                var args = arguments;
                $rootScope.$apply(function () {
                    applyPending();
                    if (heard(signal)) {
                        deliver(signal, args);
                    }
                });
            });
        });

        return {
            // Calls listener(args...) inside a digest for each signal it is to hear, for
            // the page's lifetime.
            on: function (signal, listener) {
                (listeners[signal] = listeners[signal] || []).push(listener);
            },
            // The page has called Start.
            started: function () {
                if (run === 'idle') {
                    run = 'running';
                }
            },
            run: function () {
                return run;
            },
            END: END
        };
    }

    // The modal box that every question of the page uses. Each box has a scope of its own,
    // made from the root scope, with the texts of its opener (confirmTitle, confirmText,
    // confirmText1, confirmText2, confirmQuestion), which the templates show through
    // translation: open boxes never share texts, and a box whose opener has gone still
    // shows them. The promise resolves on the positive answer and is rejected on every
    // negative one: the negative button, the close mark, Escape, a click on the overlay
    // and closeAll.
    //
    // Options: `kind` names a box of which only one may be open (open returns null while
    // it is); `run: true` marks a question about the kernel's run, which closes without
    // an answer (its promise never settles) when the run ends.
    DialogBox.$inject = ['$rootScope', '$q', 'ngDialog', 'gettext', 'kernelEvents'];
    function DialogBox($rootScope, $q, ngDialog, gettext, kernelEvents) {
        var texts = {
            closeUpdater: { title: gettext('Cancel'), text: gettext('Are you sure you want to close Korvane Antivirus Updater?') },
            cancelInstallation: { title: gettext('Cancel'), text: gettext('Are you sure you want to cancel installation?') },
            cancelUpdate: { title: gettext('Cancel'), text: gettext('Are you sure you want to cancel update?') },
            cancelUninstallation: { title: gettext('Cancel'), text: gettext('Are you sure you want to cancel uninstallation?') },
            cancelRepair: { title: gettext('Cancel'), text: gettext('Are you sure you want to cancel repair?') },
            reboot: {
                title: gettext('Warning!'),
                text: gettext('Although you can run your computer with Korvane Antivirus perfectly without rebooting, it is highly recommended that you reboot now to avoid issues further down the line.')
            }
        };
        // The boxes not answered yet, in opening order.
        var open = [];
        // Boxes answered before the library had put them on the page, by id: they close as
        // soon as they appear.
        var closeOnArrival = {};

        DialogController.$inject = ['$scope'];
        function DialogController($scope) {
            // "Reboot Later" and the close mark of the reboot dialog close the window
            // without a restart.
            $scope.closeWindow = function () {
                window.window_helpers.Close();
            };
        }

        function shown(id) {
            return document.getElementById(id) !== null;
        }

        $rootScope.$on('ngDialog.opened', function (event, $dialog) {
            var id = $dialog.attr('id');
            if (closeOnArrival[id]) {
                delete closeOnArrival[id];
                // Gone at once, without the closing animation of a box the user saw.
                $dialog.data('$ngDialogOptions').disableAnimation = true;
                ngDialog.close(id, '$answered');
            }
        });

        function openBox(opener, template, content, options) {
            options = options || {};
            if (options.kind && open.some(function (box) { return box.kind === options.kind; })) {
                return null;
            }
            var answer = $q.defer();
            var scope = $rootScope.$new(true);
            scope.confirmTitle = content.title || '';
            scope.confirmText = content.text || '';
            scope.confirmText1 = content.text1 || '';
            scope.confirmText2 = content.text2 || '';
            scope.confirmQuestion = content.question || '';
            var box = { kind: options.kind || null, run: !!options.run, id: null };

            // act: false closes the box without its answer's effect.
            box.end = function (positive, act) {
                var at = open.indexOf(box);
                if (at === -1) {
                    return;
                }
                open.splice(at, 1);
                if (act && positive) {
                    answer.resolve(true);
                } else if (act) {
                    answer.reject();
                }
                if (shown(box.id)) {
                    ngDialog.close(box.id, '$answered');
                } else {
                    closeOnArrival[box.id] = true;
                }
            };
            scope.confirm = function () {
                box.end(true, true);
            };

            var dialog = ngDialog.open({
                template: 'templates/' + template + '.template.html',
                scope: scope,
                controller: DialogController,
                className: 'ngdialog-theme-default dialog-box',
                showClose: false,
                closeByEscape: true,
                closeByDocument: true
            });
            box.id = dialog.id;
            open.push(box);
            // The library closed it: the negative button, the close mark, Escape or the
            // overlay (or one of the ways above, which have already ended the box).
            dialog.closePromise.then(function () {
                box.end(false, true);
                scope.$destroy();
            });
            return answer.promise;
        }

        kernelEvents.END.forEach(function (signal) {
            kernelEvents.on(signal, function () {
                open.filter(function (box) { return box.run; }).forEach(function (box) {
                    box.end(false, false);
                });
            });
        });

        return {
            texts: texts,
            open: openBox,
            // Ends every open box with its negative answer.
            closeAll: function () {
                open.slice().forEach(function (box) {
                    box.end(false, true);
                });
            },
            // The reboot question: "Reboot Now!" hands the restart to the kernel and
            // closes the window.
            reboot: function (scope) {
                return openBox(scope, 'dialogConfirmReboot', texts.reboot).then(function () {
                    window.updater_kernel.SetRebootRequired(true);
                    window.window_helpers.Close();
                }, angular.noop);
            }
        };
    }

    MyComponent.$inject = ['gettext'];
    function MyComponent(gettext) {
        var names = {};
        names[ComponentIdEnum.Korvane9] = gettext('Korvane Antivirus 9');
        names[ComponentIdEnum.Korvane10] = gettext('Korvane Antivirus 10');
        names[ComponentIdEnum.AntimalwareEngine] = gettext('Korvane Anti-Malware Engine');
        names[ComponentIdEnum.FirewallEngine] = gettext('Korvane Network Protection Engine');
        names[ComponentIdEnum.KorvaneProxyEngine] = gettext('Korvane Proxy Engine');
        names[ComponentIdEnum.OnlineThreatsEngine] = gettext('Korvane Anti-Phishing Engine');
        names[ComponentIdEnum.AntispamEngine] = gettext('Korvane Anti-Spam Engine');
        names[ComponentIdEnum.WebFilteringEngine] = gettext('Korvane Web Filtering Engine');
        names[ComponentIdEnum.AvcEngine] = gettext('Korvane Active Virus Control');
        names[ComponentIdEnum.Application] = gettext('Korvane Antivirus application');
        names[ComponentIdEnum.Updater] = gettext('Korvane Antivirus Updater');
        names[ComponentIdEnum.WebInstaller] = gettext('Web Installer');
        names[ComponentIdEnum.Tessa] = gettext('Tessa');
        names[ComponentIdEnum.Skype] = gettext('Skype');
        names[ComponentIdEnum.KorvaneBrowser] = gettext('Korvane Browser');
        var fallback = gettext('Initializing...');

        return {
            getComponentString: function (component) {
                return Object.prototype.hasOwnProperty.call(names, component) && typeof component === 'number'
                    ? names[component] : fallback;
            }
        };
    }

    // The kernel names the step it works on in English; only the steps listed here are
    // shown (translated), any other text as "Initializing...".
    MyDescription.$inject = ['gettext'];
    function MyDescription(gettext) {
        var known = [
            gettext('Downloading...'),
            gettext('Installing...'),
            gettext('Publishing qualified components'),
            gettext('Updating component registration'),
            gettext('Binding executables'),
            gettext('Installing ODBC components'),
            gettext('Computing space requirements'),
            gettext('Registering product'),
            gettext('Unpublishing Qualified Components'),
            gettext('Removing duplicated files'),
            gettext('Writing system registry values'),
            gettext('Deleting services'),
            gettext('Migrating feature states from related applications'),
            gettext('Registering extension servers'),
            gettext('Installing new services'),
            gettext('Registering modules'),
            gettext('Removing system registry values'),
            gettext('Unpublishing product features'),
            gettext('Validating install'),
            gettext('Initializing ODBC directories'),
            gettext('Removing INI file entries'),
            gettext('Generating script operations for action:'),
            gettext('Creating folders'),
            gettext('Removing shortcuts'),
            gettext('Unregistering type libraries'),
            gettext('Unregistering MIME info'),
            gettext('Moving files'),
            gettext('Publishing product features'),
            gettext('Registering COM+ Applications and Components'),
            gettext('Registering class servers'),
            gettext('Copying new files'),
            gettext('Publishing assembly information'),
            gettext('Registering program identifiers'),
            gettext('Removing applications'),
            gettext('Unregister class servers'),
            gettext('Unregistering program identifiers'),
            gettext('Removing ODBC components'),
            gettext('Writing INI file values'),
            gettext('Searching for installed applications'),
            gettext('Unpublishing assembly information'),
            gettext('Creating shortcuts'),
            gettext('Allocating registry space'),
            gettext('Creating duplicate files'),
            gettext('Evaluating launch conditions'),
            gettext('Registering fonts'),
            gettext('Searching for related applications'),
            gettext('Registering MIME info'),
            gettext('Updating environment strings'),
            gettext('Unregistering modules'),
            gettext('Patching files'),
            gettext('Unregistering fonts'),
            gettext('Unregistering COM+ Applications and Components'),
            gettext('Stopping services'),
            gettext('Removing files'),
            gettext('Registering type libraries'),
            gettext('Registering user'),
            gettext('Removing folders'),
            gettext('Unregistering extension servers'),
            gettext('Starting services'),
            gettext('copying definitions...'),
            gettext('Launch browser'),
            gettext('Rolling back action:')
        ];
        var fallback = gettext('Initializing...');

        return {
            getDescriptionString: function (description) {
                return known.indexOf(description) !== -1 ? description : fallback;
            }
        };
    }
})();
