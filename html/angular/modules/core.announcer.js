// The core module's announcer: what a screen reader says when a result screen appears.
// Elements marked `announce` (a result screen's title and its error text) are read out
// through the page's live region, in page order, when they appear and whenever their
// text changes (a new language included).
(function () {
    'use strict';

    angular.module('korvaneCore')
        .factory('announcer', Announcer)
        .directive('announce', Announce);

    Announcer.$inject = ['$document'];
    function Announcer($document) {
        var document = $document[0];
        var elements = [];
        var said = '';

        function byPosition(a, b) {
            return a.compareDocumentPosition(b) & Node.DOCUMENT_POSITION_FOLLOWING ? -1 : 1;
        }

        function update() {
            var text = elements.slice().sort(byPosition).map(function (element) {
                return element.textContent.replace(/\s+/g, ' ').trim();
            }).filter(Boolean).join(' ');
            var region = document.querySelector('.announcer');
            if (region && text !== said) {
                region.textContent = text;
            }
            said = text;
        }

        return Object.freeze({
            add: function (element) {
                elements.push(element);
            },
            remove: function (element) {
                var at = elements.indexOf(element);
                if (at !== -1) {
                    elements.splice(at, 1);
                }
            },
            update: update
        });
    }

    Announce.$inject = ['announcer'];
    function Announce(announcer) {
        return {
            restrict: 'A',
            link: function (scope, element) {
                var node = element[0];
                announcer.add(node);
                scope.$watch(function () {
                    return node.textContent;
                }, announcer.update);
                scope.$on('$destroy', function () {
                    announcer.remove(node);
                    announcer.update();
                });
            }
        };
    }
})();
