// The errors view: the end of a run that failed, or a scenario in which nothing can be
// done. An error reported while it is shown replaces its title.
(function () {
    'use strict';

    var S = ScenarioEnum;

    angular.module('detectErrors', ['ngRoute', 'gettext', 'korvaneCore']).component('detectErrors', {
        templateUrl: 'templates/detect-errors.template.html',
        controller: ErrorsController
    });

    function errorTexts(gettext) {
        var t = {};
        t[S.Install] = [gettext('Installation Error'),
            gettext('Korvane Antivirus has encountered an error during installation. We are sorry for the inconvenience.'),
            gettext('Please close the program and try installing it again.')];
        // An update is a removal and a new install: its failure reads as an uninstallation's.
        t[S.Update] = t[S.Uninstall] = t[S.UninstallKV9] = t[S.UninstallKV10] = [gettext('Uninstallation Error'),
            gettext('Korvane Antivirus has encountered an error during uninstallation. We are sorry for the inconvenience.'),
            gettext('Please close the program and try uninstalling it again.')];
        t[S.UninstallKV11] = [gettext('Update Error'),
            gettext('Korvane Antivirus has encountered an error during update. We are sorry for the inconvenience.'),
            gettext('Please close the program and try updating it again.')];
        t[S.Repair] = [gettext('Repair error'),
            gettext('Korvane Antivirus has encountered an error while repairing the program. We are sorry for the inconvenience.'),
            gettext('Please close the program and try to start the repairing process again.')];
        t[S.InstallRealTimeProtection] = [gettext('Real-Time Protection installation error'),
            gettext('Korvane Antivirus has encountered an error during the Real-Time Protection installation. We are sorry for the inconvenience.'),
            gettext('Please close the program and try installing Real-Time Protection again.')];
        t[S.InstallNetworkProtection] = [gettext('Network Protection installation error'),
            gettext('Korvane Antivirus has encountered an error during the Network Protection installation. We are sorry for the inconvenience.'),
            gettext('Please close the program and try installing Network Protection again.')];
        t[S.InstallFeatures] = [gettext('Driver installation failed'),
            gettext('Korvane Antivirus has encountered an error during the Features installation. We are sorry for the inconvenience.'),
            gettext('Please close the program and try updating it again.')];
        t[S.InstallActiveVirusControl] = [gettext('Active Virus Control installation error'),
            gettext('Korvane Antivirus has encountered an error during the Active Virus Control installation. We are sorry for the inconvenience.'),
            gettext('Please close the program and try installing Active Virus Control again.')];
        t[S.VeltrionDetected] = [gettext('Korvane Antivirus has been detected on this computer'),
            gettext('Korvane Antivirus is currently installed on this computer, therefore, you cannot install this software.')];
        t[S.AlreadyStarted] = [gettext('Installation manager is already started')];
        t[S.Unknown] = [gettext('Unknown error')];
        return t;
    }

    ErrorsController.$inject = ['$rootScope', 'gettext', 'kernelEvents', 'channel'];
    function ErrorsController($rootScope, gettext, kernelEvents, channel) {
        var kernel = channel.kernel;
        var texts = errorTexts(gettext);
        var vm = this;

        vm.scenario = null;
        vm.title = '';
        vm.fromKernel = false;
        vm.sentence1 = '';
        vm.sentence2 = '';
        vm.close = close;
        vm.$onInit = onInit;

        function onInit() {
            // The kernel's own text: any length, any characters (the template isolates it
            // and limits its lines).
            kernelEvents.on('ErrorSignal', function (description) {
                vm.title = description === null || description === undefined ? '' : String(description);
                vm.fromKernel = true;
            });

            vm.scenario = $rootScope.GetScenario;
            var known = Object.prototype.hasOwnProperty.call(texts, vm.scenario) ? texts[vm.scenario] : null;
            if (!known) {
                vm.scenario = S.Unknown;
                known = [gettext('Unknown error'),
                    gettext('Korvane Antivirus has encountered an error. We are sorry for the inconvenience. Please close the window and try again.')];
            }
            vm.title = known[0];
            vm.sentence1 = known[1] || '';
            vm.sentence2 = known[2] || '';

            if (vm.scenario === S.VeltrionDetected) {
                kernel.SetView('VeltrionDetected');
            } else if (vm.scenario === S.AlreadyStarted) {
                kernel.SetView('AlreadyStarted');
            }
        }

        function close() {
            channel.windowHelpers.Close();
        }
    }
})();
