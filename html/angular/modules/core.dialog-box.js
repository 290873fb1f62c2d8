// The core module's dialog box.
(function () {
    'use strict';

    angular.module('korvaneCore')
        .factory('dialogBox', DialogBox);

    // The modal box that every question of the page uses. Each box has a scope of its own,
    // made from the root scope, with the texts of its opener (confirmTitle, confirmText,
    // confirmText1, confirmText2, confirmQuestion), which the templates show through
    // translation: open boxes never share texts, and a box whose opener has gone still
    // shows them. The promise resolves on the positive answer and is rejected on every
    // negative one: the negative button, the close mark, Escape, a click on the overlay
    // and closeAll.
    //
    // Options: `kind` names a box of which only one may be open (open returns null while
    // it is); `run: true` marks a question about the kernel's run, which closes without
    // an answer (its promise never settles) when the run ends.
    DialogBox.$inject = ['$rootScope', '$q', 'ngDialog', 'gettext', 'kernelEvents', 'channel'];
    function DialogBox($rootScope, $q, ngDialog, gettext, kernelEvents, channel) {
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
        // The boxes not answered yet, in opening order.
        var open = [];
        // Boxes answered before the library had put them on the page, by id: they close as
        // soon as they appear.
        var closeOnArrival = {};

        DialogController.$inject = ['$scope'];
        function DialogController($scope) {
            // "Reboot Later" and the close mark of the reboot dialog close the window
            // without a restart.
            $scope.closeWindow = function () {
                channel.windowHelpers.Close();
            };
        }

        function shown(id) {
            return document.getElementById(id) !== null;
        }

        $rootScope.$on('ngDialog.opened', function (event, $dialog) {
            var id = $dialog.attr('id');
            // The library gives the box its role, names it by its title, keeps the focus
            // inside and gives it back on closing; a screen reader also leaves the page
            // behind it alone.
            $dialog.attr('aria-modal', 'true');
            if (closeOnArrival[id]) {
                delete closeOnArrival[id];
                // Gone at once, without the closing animation of a box the user saw.
                $dialog.data('$ngDialogOptions').disableAnimation = true;
                ngDialog.close(id, '$answered');
            }
        });

        function openBox(opener, template, content, options) {
            options = options || {};
            if (options.kind && open.some(function (box) { return box.kind === options.kind; })) {
                return null;
            }
            var answer = $q.defer();
            var scope = $rootScope.$new(true);
            scope.confirmTitle = content.title || '';
            scope.confirmText = content.text || '';
            scope.confirmText1 = content.text1 || '';
            scope.confirmText2 = content.text2 || '';
            scope.confirmQuestion = content.question || '';
            var box = { kind: options.kind || null, run: !!options.run, id: null };

            // act: false closes the box without its answer's effect.
            box.end = function (positive, act) {
                var at = open.indexOf(box);
                if (at === -1) {
                    return;
                }
                open.splice(at, 1);
                if (act && positive) {
                    answer.resolve(true);
                } else if (act) {
                    answer.reject();
                }
                if (shown(box.id)) {
                    ngDialog.close(box.id, '$answered');
                } else {
                    closeOnArrival[box.id] = true;
                }
            };
            scope.confirm = function () {
                box.end(true, true);
            };

            var dialog = ngDialog.open({
                template: 'templates/' + template + '.template.html',
                scope: scope,
                controller: DialogController,
                className: 'ngdialog-theme-default dialog-box',
                showClose: false,
                // A dialog with buttons, whatever the library finds in it before its
                // template is drawn.
                ariaRole: 'dialog',
                closeByEscape: true,
                closeByDocument: true
            });
            box.id = dialog.id;
            open.push(box);
            // The library closed it: the negative button, the close mark, Escape or the
            // overlay (or one of the ways above, which have already ended the box).
            dialog.closePromise.then(function () {
                box.end(false, true);
                scope.$destroy();
            });
            return answer.promise;
        }

        kernelEvents.END.forEach(function (signal) {
            kernelEvents.on(signal, function () {
                open.filter(function (box) { return box.run; }).forEach(function (box) {
                    box.end(false, false);
                });
            });
        });

        return {
            texts: texts,
            open: openBox,
            // Ends every open box with its negative answer.
            closeAll: function () {
                open.slice().forEach(function (box) {
                    box.end(false, true);
                });
            },
            // The reboot question: "Reboot Now!" hands the restart to the kernel and
            // closes the window.
            reboot: function (scope) {
                return openBox(scope, 'dialogConfirmReboot', texts.reboot).then(function () {
                    channel.kernel.SetRebootRequired(true);
                    channel.windowHelpers.Close();
                }, angular.noop);
            }
        };
    }
})();
