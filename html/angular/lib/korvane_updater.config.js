// The route table: each route shows the view component of the same name; any other
// address shows the welcome view. Addresses use the framework's default hash form.
(function () {
    'use strict';

    var views = [
        'detectWelcome',
        'detectUninstall',
        'detectComplete',
        'detectInstall',
        'detectProtection',
        'detectRepair',
        'detectInterrupted',
        'detectErrors',
        'detectOffers'
    ];

    function elementName(component) {
        return component.replace(/[A-Z]/g, function (letter) {
            return '-' + letter.toLowerCase();
        });
    }

    angular.module('KorvaneUpdater').config(['$routeProvider', function ($routeProvider) {
        views.forEach(function (view) {
            var element = elementName(view);
            $routeProvider.when('/' + view, { template: '<' + element + '></' + element + '>' });
        });
        $routeProvider.otherwise({ redirectTo: '/detectWelcome' });
    }]);
})();
