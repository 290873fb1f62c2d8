// The core module's first screen: the program keeps its window hidden while the page
// starts and shows it when the page says so, once the wizard's first screen is drawn in
// the person's language (never the loading animation alone, if the kernel detects the
// scenario in time; the program shows the window in any case after a while).
(function () {
    'use strict';

    angular.module('korvaneCore')
        .factory('firstScreen', FirstScreen);

    FirstScreen.$inject = ['$rootScope', '$document', 'channel'];
    function FirstScreen($rootScope, $document, channel) {
        var document = $document[0];
        var told = false;
        var looking = false;

        // The view outlet holds a view (a component's section), and it is not the loading
        // animation; the header has put the saved language in place.
        function drawn() {
            var view = document.querySelector('[ng-view] > * > section');
            return !!view && !view.querySelector('.loading') && $rootScope.CurrentLanguage !== undefined;
        }

        // Looked at after each digest, when the page's elements are up to date, until told.
        var stop = $rootScope.$watch(function () {
            if (looking) {
                return;
            }
            looking = true;
            $rootScope.$$postDigest(function () {
                looking = false;
                if (!told && drawn()) {
                    told = true;
                    stop();
                    channel.windowHelpers.Show();
                }
            });
        });

        return Object.freeze({});
    }
})();
