// The core module's text factories: the kernel's component numbers and step names as
// display texts.
(function () {
    'use strict';

    angular.module('korvaneCore')
        .factory('myComponent', MyComponent)
        .factory('myDescription', MyDescription);

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
