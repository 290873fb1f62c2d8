// The interruption view: the end of a run the kernel stopped on the user's request.
(function () {
    'use strict';

    var S = ScenarioEnum;

    angular.module('detectInterrupted', ['ngRoute', 'gettext', 'korvaneCore']).component('detectInterrupted', {
        templateUrl: 'templates/detect-interrupted.template.html',
        controller: InterruptedController
    });

    InterruptedController.$inject = ['$rootScope', 'gettext', 'channel', 'LINK'];
    function InterruptedController($rootScope, gettext, channel, LINK) {
        var vm = this;
        var titles = {};
        titles[S.UninstallKV9] = titles[S.UninstallKV10] = titles[S.Uninstall] =
            gettext('Your Korvane Antivirus uninstallation was cancelled');
        titles[S.UninstallKV11] = gettext('Your Korvane Antivirus update was cancelled');
        titles[S.Install] = titles[S.Update] = gettext('Your Korvane Antivirus installation was cancelled');
        titles[S.Repair] = gettext('Your Korvane Antivirus repairing process was cancelled');
        titles[S.InstallRealTimeProtection] = gettext('Your Real-Time protection installation was cancelled');
        titles[S.InstallNetworkProtection] = gettext('Your Network Protection installation was cancelled');
        titles[S.InstallFeatures] = gettext('Driver installation cancelled');
        titles[S.InstallActiveVirusControl] = gettext('Your Korvane Active Virus Control installation was cancelled');

        vm.scenario = null;
        vm.unknown = false;
        vm.title = '';
        vm.sentence1 = '';
        vm.link = '';
        vm.sentence2 = '';
        vm.tellUs = tellUs;
        vm.close = close;
        vm.$onInit = onInit;

        function onInit() {
            vm.scenario = $rootScope.GetScenario;
            if (Object.prototype.hasOwnProperty.call(titles, vm.scenario)) {
                vm.title = titles[vm.scenario];
            } else {
                vm.scenario = S.Unknown;
                vm.unknown = true;
                vm.title = gettext('Unknown error');
            }
            // Only a cancelled install or update asks what made the user cancel.
            if (vm.scenario === S.Install || vm.scenario === S.Update) {
                vm.sentence1 = gettext('Help us improve Korvane Antivirus...');
                vm.link = gettext('Tell us');
                vm.sentence2 = gettext('what made you cancel.');
            }
        }

        function tellUs() {
            channel.kernel.ExecUrl(LINK.feedback);
        }

        function close() {
            channel.windowHelpers.Close();
        }
    }
})();
