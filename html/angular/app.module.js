// The page application: its module and its settings. The services the views share are
// in the core module (modules/core.module.js).
(function () {
    'use strict';

    angular.module('KorvaneUpdater', ['ngRoute', 'korvaneTemplates', 'korvaneCore', 'header', 'detectWelcome', 'detectProgress',
        'detectComplete', 'detectOffers', 'detectProtection', 'detectInterrupted', 'detectErrors'])
        .config(['ngDialogProvider', function (ngDialogProvider) {
            ngDialogProvider.setOpenOnePerName(true);
        }])
        // The pictures' addresses (ng-src, so that a screen's pictures load when it is
        // built) are the page's own: the program's resource scheme, or the test server's.
        .config(['$compileProvider', function ($compileProvider) {
            $compileProvider.imgSrcSanitizationWhitelist(/^\s*(qrc|https?):/);
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
        // kernelEvents is asked for here so that it connects to the channel before any view,
        // and firstScreen so that it watches the page from its first digest.
        .run(['gettextCatalog', '$document', 'kernelEvents', 'firstScreen', function (gettextCatalog, $document) {
            // A text without translation shows plainly.
            gettextCatalog.debug = false;
            // Nothing can be dragged out of the page: no image, link or selected text.
            $document.on('dragstart', function (event) {
                event.preventDefault();
            });
        }]);
})();
