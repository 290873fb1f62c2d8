// The protection view: before a removal, whether the system's own protection is to be
// switched on. Serves the scenario Uninstall only.
(function () {
    'use strict';

    angular.module('detectProtection', ['ngRoute', 'gettext']).component('detectProtection', {
        templateUrl: 'templates/detect-protection.template.html',
        controller: ProtectionController
    });

    ProtectionController.$inject = ['$scope', '$rootScope', '$location', 'gettext', 'dialogBox'];
    function ProtectionController($scope, $rootScope, $location, gettext, dialogBox) {
        var kernel = window.updater_kernel;
        var vm = this;

        vm.scenario = $rootScope.GetScenario;
        vm.serves = vm.scenario === ScenarioEnum.Uninstall;
        vm.checkboxDefender = true;
        vm.checkboxFirewall = true;
        vm.next = '/detectUninstall';

        function moveOn(defender, firewall) {
            kernel.SetEnableWindowsDefender(defender);
            kernel.SetEnableWindowsFirewall(firewall);
            $location.path(vm.next);
        }

        vm.cancel = function () {
            dialogBox.open($scope, 'dialogConfirm', dialogBox.texts.closeUpdater).then(function () {
                window.window_helpers.Close();
            }, angular.noop);
        };
        vm.skip = function () {
            moveOn(false, false);
        };
        vm.goNext = function () {
            dialogBox.open($scope, 'dialogConfirm', {
                title: gettext('Uninstall Korvane Antivirus?'),
                text: gettext('Are you sure?')
            }).then(function () {
                moveOn(vm.checkboxDefender, vm.checkboxFirewall);
            }, angular.noop);
        };
    }
})();
