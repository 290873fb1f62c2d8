// The protection view: before a removal, whether the system's own protection is to be
// switched on. Serves the scenario Uninstall only.
(function () {
    'use strict';

    angular.module('detectProtection', ['ngRoute', 'gettext', 'korvaneCore']).component('detectProtection', {
        templateUrl: 'templates/detect-protection.template.html',
        controller: ProtectionController
    });

    ProtectionController.$inject = ['$scope', '$rootScope', '$location', 'gettext', 'dialogBox', 'channel', 'Scenario'];
    function ProtectionController($scope, $rootScope, $location, gettext, dialogBox, channel, S) {
        var kernel = channel.kernel;
        var vm = this;

        vm.scenario = null;
        vm.serves = false;
        vm.checkboxDefender = true;
        vm.checkboxFirewall = true;
        vm.next = '/detectUninstall';
        vm.cancel = cancel;
        vm.skip = skip;
        vm.goNext = goNext;
        vm.$onInit = onInit;

        function onInit() {
            vm.scenario = $rootScope.GetScenario;
            vm.serves = vm.scenario === S.Uninstall;
        }

        function moveOn(defender, firewall) {
            kernel.SetEnableWindowsDefender(defender);
            kernel.SetEnableWindowsFirewall(firewall);
            $location.path(vm.next);
        }

        function cancel() {
            dialogBox.open($scope, 'dialogConfirm', dialogBox.texts.closeUpdater).then(function () {
                channel.windowHelpers.Close();
            }, angular.noop);
        }

        function skip() {
            moveOn(false, false);
        }

        function goNext() {
            dialogBox.open($scope, 'dialogConfirm', {
                title: gettext('Uninstall Korvane Antivirus?'),
                text: gettext('Are you sure?')
            }).then(function () {
                moveOn(vm.checkboxDefender, vm.checkboxFirewall);
            }, angular.noop);
        }
    }
})();
