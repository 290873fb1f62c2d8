// The page's core: the channel objects as a service, the helper that brings a channel
// answer or signal into the view, and the named numbers the views share. The kernel's
// events, the dialog box and the text factories of this module have files of their own.
(function () {
    'use strict';

    angular.module('korvaneCore', ['gettext', 'ngDialog', 'languages'])
        // The value of GetScenario while no scenario is known yet: the loading animation.
        .constant('LOADING_SCENARIO', 30)
        // The kernel's scenario numbers (updater_kernel_types.js).
        .constant('Scenario', ScenarioEnum)
        // The web pages the kernel opens for ExecUrl.
        .constant('LINK', Object.freeze({
            feedback: 10,
            offerTerms: 21,
            offerPrivacy: 22,
            license: 90
        }))
        .factory('channel', Channel)
        .factory('toView', ToView);

    // The four objects the program publishes on the web channel. definitions.js binds
    // them to the page's globals before the application boots, so they are there when
    // this service is first asked for.
    Channel.$inject = ['$window'];
    function Channel($window) {
        return Object.freeze({
            kernel: $window.updater_kernel,
            windowHelpers: $window.window_helpers,
            systemHelpers: $window.system_helpers,
            uiExtensions: $window.ui_extensions
        });
    }

    // Channel answers and signals arrive outside the framework's event handling:
    // toView(change) is the callback that runs change(args...) in a digest of the root
    // scope, so that the views show what it changed. The root scope is used because many
    // handlers outlive the view that connected them.
    ToView.$inject = ['$rootScope'];
    function ToView($rootScope) {
        return function toView(change) {
            return function () {
                var args = arguments;
                $rootScope.$apply(function () {
                    change.apply(null, args);
                });
            };
        };
    }
})();
