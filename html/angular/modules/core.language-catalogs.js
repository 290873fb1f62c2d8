// The core module's language catalogs: the page is written in English, and the catalog of
// any other language is loaded the first time that language is shown, so that a start
// loads one catalog at most.
(function () {
    'use strict';

    angular.module('korvaneCore')
        .factory('languageCatalogs', LanguageCatalogs);

    LanguageCatalogs.$inject = ['$q', 'gettextCatalog', 'LANGUAGES'];
    function LanguageCatalogs($q, gettextCatalog, LANGUAGES) {
        var source = LANGUAGES[0].code;
        // code -> the promise of its catalog, once asked for.
        var loads = {};

        function catalogAddress(code) {
            return 'localization/po/' + code + '/LC_MESSAGES/KorvaneUpdater.json';
        }

        // Resolves when the language's texts are in the catalog service. A catalog that
        // cannot be loaded leaves the language's texts in English; it is tried again the
        // next time the language is chosen.
        function load(code) {
            if (code === source) {
                return $q.resolve();
            }
            if (!loads[code]) {
                loads[code] = gettextCatalog.loadRemote(catalogAddress(code)).catch(function () {
                    delete loads[code];
                });
            }
            return loads[code];
        }

        return Object.freeze({ load: load });
    }
})();
