// The completion view: the outcome of the scenario's run, and the restart of the
// computer where the kernel asks for one.
(function () {
    'use strict';

    var S = ScenarioEnum;

    angular.module('detectComplete', ['ngRoute', 'gettext', 'korvaneCore']).component('detectComplete', {
        templateUrl: 'templates/detect-complete.template.html',
        controller: CompleteController
    });

    function completionTexts(gettext) {
        var t = {};
        t[S.Corrupted] = [gettext('Removal process complete'),
            gettext('Previous versions of Korvane Antivirus have been successfully removed. A reboot is required to complete this process. Please save your work and press “Restart your computer.”'),
            gettext('After the reboot, we\'ll continue the installation of your new version of Korvane Antivirus.')];
        t[S.UninstallKV9] = t[S.UninstallKV10] = [gettext('Restart your computer to complete the uninstall'),
            gettext('Uninstallation was completed successfully. To finish previous version uninstallation, you need to restart your computer.'),
            gettext('Please continue Korvane Antivirus 12 installation after reboot.')];
        t[S.UninstallKV11] = [gettext('Please restart your computer to complete the installation of Korvane Antivirus 12'),
            gettext('Korvane Antivirus 12 needs to restart your computer to install important drivers. Please select "Reboot Now" to proceed.'),
            gettext('Korvane Antivirus will continue the installation process once your computer has restarted.')];
        t[S.Uninstall] = [gettext('Uninstallation Complete'),
            gettext('Uninstallation complete! It is highly recommended that you restart your computer before installing any other protection services.')];
        t[S.Install] = [gettext('Installation Complete'),
            gettext('Thank you for installing Korvane Antivirus.'),
            // Two texts of their own in one paragraph, each looked up in the catalog.
            [gettext('We strive to provide you the best available anti-malware protection with minimal impact on your computer speed so you can use your computer with no worries.'),
                gettext('Korvane Antivirus is configured to run in the background, protecting your computer every step of the way. If you would like to access its settings, double click the Korvane Antivirus icon on your desktop or in the System tray.')],
            gettext('To get Korvane Antivirus fully running on your PC, we recommend that you reboot your computer. Don’t forget to first save your work!')];
        t[S.Update] = [gettext('Update Successful'),
            gettext('Thank you for installing the latest updates of Korvane Antivirus. Now you have the latest improvements and fixes that will increase the computer and network protection.'),
            gettext('Please be advised to follow program updates in the future to be up to date and help us to provide you with the best protection.')];
        t[S.Repair] = [gettext('Repair process complete.'),
            gettext('Korvane Antivirus has completed the repair process.')];
        t[S.InstallRealTimeProtection] = [gettext('Real-Time Installation Successful'),
            gettext('Thank you for installing Real-Time component. You are now fully protected against active threats while working on your computer and in the network.'),
            gettext('All Real-Time options are enabled by default for the best protection; however you can configure them depending on your needs anytime.'),
            gettext('We strongly recommend that you do not use Real-Time options from several antivirus programs simultaneously.')];
        t[S.InstallNetworkProtection] = [gettext('Network Protection Installation Successful'),
            gettext('Thank you for installing Network Protection component. You now have complete protection against malicious network activity.'),
            gettext('All Real-Time options are enabled by default for the best protection; however you can configure them depending on your needs anytime.'),
            gettext('We strongly recommend that you do not use Network Protection options from several programs simultaneously.')];
        t[S.InstallFeatures] = [gettext('Installation Successful!'),
            gettext('Korvane Antivirus has successfully installed the required drivers. You can now enjoy the peace of mind that comes with robust online threat protection.'),
            gettext('We’ve enabled all security options by default for maximum protection but you can always customize them to your needs at any time.'),
            gettext('Please note that simultaneously running another antivirus software on your PC may result in serious conflicts and or errors.')];
        t[S.InstallActiveVirusControl] = [gettext('Active Virus Control Installation Complete'),
            gettext('Thank you for installing Active Virus Control component, a proactive detection technology. You now have robust protection against malicious actions at the process level.'),
            gettext('Active Virus Control feature is enabled by default and you can configure its settings located under Advanced Settings.'),
            gettext('We strongly recommend that you do not use the process monitoring components from different programs simultaneously.')];
        return t;
    }

    // The removals ask the kernel whether the computer must restart.
    var ASK_REBOOT = [S.UninstallKV9, S.UninstallKV10, S.UninstallKV11, S.Uninstall, S.Corrupted];

    CompleteController.$inject = ['$scope', '$rootScope', 'gettext', 'dialogBox', 'channel', 'toView'];
    function CompleteController($scope, $rootScope, gettext, dialogBox, channel, toView) {
        var kernel = channel.kernel;
        var windowHelpers = channel.windowHelpers;
        var texts = completionTexts(gettext);
        var vm = this;

        vm.scenario = null;
        vm.unknown = false;
        vm.rebootRequired = false;
        vm.title = '';
        vm.sentence1 = '';
        vm.sentence2 = [];
        vm.sentence3 = '';
        vm.isRepair = false;
        vm.restartText = '';
        vm.restart = restart;
        vm.close = close;
        vm.$onInit = onInit;

        function onInit() {
            vm.scenario = $rootScope.GetScenario;
            if (ASK_REBOOT.indexOf(vm.scenario) !== -1) {
                kernel.RebootRequired(toView(function (required) {
                    vm.rebootRequired = !!required;
                }));
            }

            var known = Object.prototype.hasOwnProperty.call(texts, vm.scenario) ? texts[vm.scenario] : null;
            if (known) {
                vm.title = known[0];
                vm.sentence1 = known[1] || '';
                vm.sentence2 = [].concat(known[2] || []);
                vm.sentence3 = known[3] || '';
            } else {
                vm.scenario = S.Unknown;
                vm.unknown = true;
                vm.title = gettext('Unknown error');
            }
            vm.isRepair = vm.scenario === S.Repair;
            vm.restartText = vm.scenario === S.Corrupted ? gettext('Restart your computer') : gettext('Reboot Now');
        }

        function restart() {
            kernel.SetRebootRequired(true);
            windowHelpers.Close();
        }

        function close() {
            if (vm.rebootRequired && !vm.isRepair) {
                dialogBox.reboot($scope);
            } else {
                windowHelpers.Close();
            }
        }
    }
})();
