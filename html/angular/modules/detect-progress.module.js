// The three progress views: install, uninstall and repair. Each starts the kernel's run
// as soon as it is built, follows its progress and moves on to the completion view when
// the kernel reports the end. Interruptions and errors are led on by the welcome view's
// page-wide handlers.
(function () {
    'use strict';

    var S = ScenarioEnum;
    var C = ComponentIdEnum;
    var SLIDE_COUNT = 6;
    var SLIDE_PERIOD_MS = 8000;

    // Per view: for each scenario it serves, its title, the screen name reported to the
    // program (if any) and the cancel question; `other` is what an unserved scenario gets.
    function installRows(gettext, texts) {
        var installing = { title: gettext('Installing...'), view: 'Installing', cancel: texts.cancelInstallation };
        var drivers = { title: gettext('Installing Drivers...'), view: 'Installing Drivers...', cancel: texts.cancelInstallation };
        var rows = {};
        rows[S.Install] = installing;
        rows[S.Update] = { title: gettext('Updating...'), view: 'Installing', cancel: texts.cancelInstallation };
        rows[S.InstallActiveVirusControl] = installing;
        rows[S.InstallRealTimeProtection] = installing;
        rows[S.InstallNetworkProtection] = drivers;
        rows[S.InstallFeatures] = drivers;
        return { rows: rows, otherView: 'InstallError' };
    }

    function uninstallRows(gettext, texts) {
        var uninstalling = { title: gettext('Uninstalling...'), cancel: texts.cancelUninstallation };
        var rows = {};
        rows[S.UninstallKV9] = uninstalling;
        rows[S.UninstallKV10] = uninstalling;
        rows[S.UninstallKV11] = { title: gettext('Updating...'), cancel: texts.cancelUpdate };
        rows[S.Uninstall] = uninstalling;
        rows[S.Corrupted] = { title: gettext('Removing previous Korvane Antivirus files...'), cancel: texts.cancelUninstallation };
        return { rows: rows, countsProtection: true };
    }

    function repairRows(gettext, texts) {
        var rows = {};
        rows[S.Repair] = { title: gettext('Repairing...'), view: 'Installing', cancel: texts.cancelRepair };
        return { rows: rows, initialDescription: gettext('Initializing...') };
    }

    // The components of full protection; once one of them has been removed, a later
    // install cannot be a compatible one.
    var FULL_PROTECTION = [C.OnlineThreatsEngine, C.AntispamEngine, C.FirewallEngine, C.AvcEngine];

    // The kernel's percentage as a bar's width: fractions as received, but nothing below
    // an empty bar or beyond a full one; a value that is not a number draws an empty bar.
    function boundedPercent(value) {
        if (typeof value !== 'number' || !(value > 0)) {
            return 0;
        }
        return value > 100 ? 100 : value;
    }

    function progressView(kind, makeRows) {
        ProgressController.$inject = ['$scope', '$rootScope', '$location', '$interval', 'gettext', 'dialogBox',
            'myComponent', 'myDescription', 'kernelEvents', 'channel'];
        function ProgressController($scope, $rootScope, $location, $interval, gettext, dialogBox,
            myComponent, myDescription, kernelEvents, channel) {
            var kernel = channel.kernel;
            var table = makeRows(gettext, dialogBox.texts);
            var removedProtection = 0;
            var row = null;
            var vm = this;

            vm.kind = kind;
            vm.scenario = null;
            vm.unknown = false;
            vm.title = '';
            vm.component = gettext('Initializing...');
            vm.overallPosition = 0;
            vm.position = 0;
            vm.description = table.initialDescription || '';
            vm.slide = 1;
            vm.barWidth = barWidth;
            vm.barValue = barValue;
            vm.cancel = cancel;
            vm.$onInit = onInit;

            function onInit() {
                // 1. Slides: the first shows at the opening only; after the sixth comes the second.
                var rotation = $interval(function () {
                    vm.slide = vm.slide >= SLIDE_COUNT ? 2 : vm.slide + 1;
                }, SLIDE_PERIOD_MS);
                $scope.$on('$destroy', function () {
                    $interval.cancel(rotation);
                });

                // 2. Progress handlers (positions and the step text come at most once a frame).
                kernelEvents.on('ProgressComponentChangedSignal', function (component) {
                    vm.component = myComponent.getComponentString(component);
                    if (table.countsProtection) {
                        if (FULL_PROTECTION.indexOf(component) !== -1) {
                            removedProtection += 1;
                        }
                        kernel.SetCompatibleInstall(!(removedProtection > 0));
                    }
                });
                kernelEvents.on('ComponentsProgressPositionChangedSignal', function (percent) {
                    vm.overallPosition = percent;
                });
                kernelEvents.on('ProgressPositionChangedSignal', function (percent) {
                    vm.position = percent;
                });
                kernelEvents.on('ProgressDescriptionChangedSignal', function (description) {
                    vm.description = myDescription.getDescriptionString(description);
                });

                // 3. The scenario's screen, and the start of the run.
                vm.scenario = $rootScope.GetScenario;
                row = Object.prototype.hasOwnProperty.call(table.rows, vm.scenario) ? table.rows[vm.scenario] : null;
                if (row) {
                    vm.title = row.title;
                    if (row.view) {
                        kernel.SetView(row.view);
                    }
                    kernelEvents.started();
                    kernel.Start();
                } else {
                    vm.scenario = S.Unknown;
                    vm.unknown = true;
                    vm.title = gettext('Unknown error');
                    if (table.otherView) {
                        kernel.SetView(table.otherView);
                    }
                }

                // 4. The end of the run.
                kernelEvents.on('CompleteSignal', function () {
                    if (kind === 'install' && $rootScope.GetScenario === S.Install) {
                        kernel.SetView('InstallComplete');
                    }
                    $location.path('/detectComplete');
                });
            }

            function barWidth(percent) {
                return { width: boundedPercent(percent) + '%' };
            }

            // The bar's value as a screen reader reads it: whole per cent.
            function barValue(percent) {
                return Math.round(boundedPercent(percent));
            }

            // A question about the run: it closes unanswered when the run ends first.
            function cancel() {
                dialogBox.open($scope, 'dialogConfirm', row.cancel, { run: true }).then(function () {
                    kernel.Interrupt();
                }, angular.noop);
            }
        }

        return {
            templateUrl: 'templates/detect-progress.template.html',
            controller: ProgressController
        };
    }

    angular.module('detectProgress', ['ngRoute', 'gettext', 'korvaneCore'])
        .component('detectInstall', progressView('install', installRows))
        .component('detectUninstall', progressView('uninstall', uninstallRows))
        .component('detectRepair', progressView('repair', repairRows));
})();
