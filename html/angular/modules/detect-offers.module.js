// The offer view: the companion product Tessa, offered before an install when the kernel
// has an offer. The decision goes to the kernel only when the user moves on.
(function () {
    'use strict';

    angular.module('detectOffers', ['ngRoute', 'gettext']).component('detectOffers', {
        templateUrl: 'templates/detect-offers.template.html',
        controller: OffersController
    });

    OffersController.$inject = ['$scope', '$rootScope', '$location', 'gettext', 'gettextCatalog', 'dialogBox'];
    function OffersController($scope, $rootScope, $location, gettext, gettextCatalog, dialogBox) {
        var kernel = window.updater_kernel;
        var vm = this;

        vm.yesOption = null;
        vm.invalidOption = true;
        vm.homepageOption = false;
        vm.partnerID = OfferPartnerIdEnum.Yahoo;
        vm.englishCssMarker = gettextCatalog.getCurrentLanguage() === 'en';

        kernel.SetView('Tessa');
        kernel.GetTsOfferHomepageAndSearch(function (partner) {
            $rootScope.$apply(function () {
                vm.partnerID = partner;
            });
        });

        // The English label is fixed text; every other language gets the translated one.
        $scope.$watch(function () {
            return $rootScope.CurrentLanguage;
        }, function (language, previous) {
            if (language !== previous) {
                vm.englishCssMarker = language === 'en';
            }
        });

        vm.choose = function (yes) {
            vm.invalidOption = false;
            vm.homepageOption = yes;
        };

        function install() {
            $location.path('/detectInstall');
        }

        vm.continueInstall = function () {
            if (vm.invalidOption) {
                return;
            }
            if (vm.yesOption && vm.homepageOption) {
                dialogBox.open($scope, 'dialogConfirmOffer', {
                    title: gettext('Warning!'),
                    text: gettext('Korvane Antivirus Updater needs to close your browser in order to apply your changes. Make sure you save your work before proceeding.')
                }).then(function () {
                    kernel.ChangeTsOfferHomepageAndSearch(true);
                    kernel.SkipTsOffer(false);
                    install();
                }, angular.noop);
                return;
            }
            kernel.SkipTsOffer(!vm.yesOption);
            install();
        };
        vm.back = function () {
            $location.path('/detectWelcome');
        };
        vm.openTerms = function () {
            kernel.ExecUrl(21);
        };
        vm.openPrivacy = function () {
            kernel.ExecUrl(22);
        };
    }
})();
