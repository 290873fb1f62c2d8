// The offer view: the companion product Tessa, offered before an install when the kernel
// has an offer. The decision goes to the kernel only when the user moves on.
(function () {
    'use strict';

    angular.module('detectOffers', ['ngRoute', 'gettext', 'korvaneCore']).component('detectOffers', {
        templateUrl: 'templates/detect-offers.template.html',
        controller: OffersController
    });

    OffersController.$inject = ['$scope', '$rootScope', '$location', 'gettext', 'gettextCatalog', 'dialogBox',
        'channel', 'toView', 'LINK'];
    function OffersController($scope, $rootScope, $location, gettext, gettextCatalog, dialogBox,
        channel, toView, LINK) {
        var kernel = channel.kernel;
        var vm = this;

        vm.yesOption = null;
        vm.invalidOption = true;
        vm.homepageOption = false;
        vm.partnerID = OfferPartnerIdEnum.Yahoo;
        vm.englishCssMarker = gettextCatalog.getCurrentLanguage() === 'en';
        vm.choose = choose;
        vm.continueInstall = continueInstall;
        vm.back = back;
        vm.openTerms = openTerms;
        vm.openPrivacy = openPrivacy;
        vm.$onInit = onInit;

        function onInit() {
            kernel.SetView('Tessa');
            kernel.GetTsOfferHomepageAndSearch(toView(function (partner) {
                vm.partnerID = partner;
            }));

            // The English label is fixed text; every other language gets the translated one.
            $scope.$watch(function () {
                return $rootScope.CurrentLanguage;
            }, function (language, previous) {
                if (language !== previous) {
                    vm.englishCssMarker = language === 'en';
                }
            });
        }

        function choose(yes) {
            vm.invalidOption = false;
            vm.homepageOption = yes;
        }

        function install() {
            $location.path('/detectInstall');
        }

        function continueInstall() {
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
        }

        function back() {
            $location.path('/detectWelcome');
        }

        function openTerms() {
            kernel.ExecUrl(LINK.offerTerms);
        }

        function openPrivacy() {
            kernel.ExecUrl(LINK.offerPrivacy);
        }
    }
})();
