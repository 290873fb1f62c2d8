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
        .run(['gettextCatalog', '$document', function (gettextCatalog, $document) {
            // A text without translation shows plainly.
            gettextCatalog.debug = false;
            // Nothing can be dragged out of the page: no image, link or selected text.
            $document.on('dragstart', function (event) {
                event.preventDefault();
            });
        }])
        .factory('dialogBox', DialogBox)
        .factory('myComponent', MyComponent)
        .factory('myDescription', MyDescription);

    // The modal box that every question of the page uses. The opener's scope carries the
    // texts (confirmTitle, confirmText, confirmText1, confirmText2, confirmQuestion), which
    // the templates show through translation. The promise resolves on the positive answer
    // and is rejected on every negative one: the negative button, the close mark, Escape
    // and a click on the overlay.
    DialogBox.$inject = ['ngDialog', 'gettext'];
    function DialogBox(ngDialog, gettext) {
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

        DialogController.$inject = ['$scope'];
        function DialogController($scope) {
            // "Reboot Later" and the close mark of the reboot dialog close the window
            // without a restart.
            $scope.closeWindow = function () {
                window.window_helpers.Close();
            };
        }

        function open(scope, template, content) {
            scope.confirmTitle = content.title || '';
            scope.confirmText = content.text || '';
            scope.confirmText1 = content.text1 || '';
            scope.confirmText2 = content.text2 || '';
            scope.confirmQuestion = content.question || '';
            return ngDialog.openConfirm({
                template: 'templates/' + template + '.template.html',
                scope: scope,
                controller: DialogController,
                className: 'ngdialog-theme-default dialog-box',
                showClose: false,
                closeByEscape: true,
                closeByDocument: true
            });
        }

        return {
            texts: texts,
            open: open,
            closeAll: function () {
                ngDialog.closeAll();
            },
            // The reboot question: "Reboot Now!" hands the restart to the kernel and
            // closes the window.
            reboot: function (scope) {
                return open(scope, 'dialogConfirmReboot', texts.reboot).then(function () {
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
