// Stands in for Qt's qwebchannel.js in the page tests: the page's definitions.js creates
// a QWebChannel over qt.webChannelTransport exactly as in the program, and gets these
// objects. Every method call is recorded in order; answers and signals arrive later, as
// the real channel delivers them. Set-up comes from window.fakeChannelSetup (a test's
// init script): answers by "object.method", and bindDelayMs (-1: bind at once, inside
// the constructor).
(function () {
    'use strict';

    var members = {
        updater_kernel: {
            methods: ['Init', 'SetScenario', 'IncompatiblesDetected', 'RebootRequired', 'Start', 'Interrupt',
                'IsWindowsDefenderEnabled', 'IsWindowsDefenderInstalled', 'IsWindowsFirewallEnabled',
                'SaveLocale', 'LoadLocale', 'SetCompatibleInstall', 'GetCompatibleInstall',
                'SetInstallDirectory', 'GetInstallDirectory', 'SetCreateDesktopShortcut', 'GetCreateDesktopShortcut',
                'SetRebootRequired', 'GetRebootRequired', 'SetView', 'GetView', 'SetRunDesktop',
                'SetEnableWindowsDefender', 'SetEnableWindowsFirewall', 'ExecUrl', 'IsTsOfferAvailable',
                'GetTsOfferHomepageAndSearch', 'SkipTsOffer', 'ChangeTsOfferHomepageAndSearch'],
            signals: ['NotEnoughDiskSpaceSignal', 'AnotherInstallationInProgressSignal', 'ScenarioDetectedSignal',
                'InterruptedSignal', 'StartedSignal', 'StoppingServiceSignal', 'ServiceStoppedSignal',
                'ProgressComponentChangedSignal', 'ProgressPositionChangedSignal', 'FloatingProgressSignal',
                'ProgressDescriptionChangedSignal', 'ErrorSignal', 'CompleteSignal', 'EnablingWindowsDefenderSignal',
                'EnablingWindowsFirewallSignal', 'NoAppropriatePermissionsSignal',
                'ComponentsProgressPositionChangedSignal']
        },
        window_helpers: { methods: ['Close', 'Hide', 'Show'], signals: ['WindowCloseRequestSignal'] },
        system_helpers: { methods: ['Execute', 'Reboot', 'GetDesktopPath'], signals: [] },
        ui_extensions: { methods: ['ShowSaveFileDialog', 'ShowChooseFolderDialog', 'ShowChooseFileDialog'], signals: [] }
    };

    var setup = window.fakeChannelSetup || {};
    var answers = {
        'updater_kernel.LoadLocale': 0,
        'updater_kernel.GetInstallDirectory': '/opt/korvane/korvane antivirus',
        'updater_kernel.IsTsOfferAvailable': false,
        'updater_kernel.IncompatiblesDetected': false,
        'updater_kernel.RebootRequired': false,
        'updater_kernel.GetCompatibleInstall': false,
        'updater_kernel.GetCreateDesktopShortcut': true,
        'ui_extensions.ShowChooseFolderDialog': ''
    };
    Object.keys(setup.answers || {}).forEach(function (key) {
        answers[key] = setup.answers[key];
    });

    var fake = window.fakeChannel = {
        members: members,
        calls: [],
        pending: 0,
        answers: answers,
        connections: {},
        // Raises a signal of the program; handlers run later, in order.
        emit: function (object, signal) {
            var args = Array.prototype.slice.call(arguments, 2);
            var handlers = (fake.connections[object + '.' + signal] || []).slice();
            later(function () {
                handlers.forEach(function (handler) {
                    handler.apply(null, args);
                });
            });
            return handlers.length;
        }
    };

    function later(task) {
        fake.pending += 1;
        setTimeout(function () {
            fake.pending -= 1;
            task();
        }, 0);
    }

    function makeObject(name) {
        var object = {};
        members[name].methods.forEach(function (method) {
            object[method] = function () {
                var args = Array.prototype.slice.call(arguments);
                var callback = typeof args[args.length - 1] === 'function' ? args.pop() : null;
                fake.calls.push({ object: name, method: method, args: args });
                var answer = answers[name + '.' + method];
                if (callback) {
                    later(function () {
                        callback(answer === undefined ? null : answer);
                    });
                }
            };
        });
        members[name].signals.forEach(function (signal) {
            var key = name + '.' + signal;
            fake.connections[key] = [];
            object[signal] = {
                connect: function (handler) {
                    fake.connections[key].push(handler);
                },
                disconnect: function (handler) {
                    var list = fake.connections[key];
                    if (list.indexOf(handler) !== -1) {
                        list.splice(list.indexOf(handler), 1);
                    }
                }
            };
        });
        return object;
    }

    window.qt = { webChannelTransport: { send: function () {}, onmessage: null } };

    window.QWebChannel = function (transport, initCallback) {
        if (transport !== window.qt.webChannelTransport) {
            throw new Error('QWebChannel needs qt.webChannelTransport');
        }
        var channel = { objects: {} };
        Object.keys(members).forEach(function (name) {
            channel.objects[name] = makeObject(name);
        });
        this.objects = channel.objects;
        var delay = setup.bindDelayMs === undefined ? 0 : setup.bindDelayMs;
        if (delay < 0) {
            initCallback(channel);
        } else {
            fake.pending += 1;
            setTimeout(function () {
                fake.pending -= 1;
                initCallback(channel);
            }, delay);
        }
    };
})();
