// The core module's service for the kernel's events.
(function () {
    'use strict';

    angular.module('korvaneCore')
        .factory('kernelEvents', KernelEvents);

    // The kernel's signals as the views take them (the service connects to the channel
    // once, when the application starts), and the page's view of the run.
    //
    // Progress values (both positions and the step text) change the screen at most once a
    // frame: each signal keeps only its latest value until the next frame applies them all
    // in one go. Every other signal first applies the values still pending, so nothing
    // older shows after a newer event and an end event always follows the values before it.
    //
    // The run is "idle" until the page starts it (or the kernel reports it started),
    // "running" then, and "ended" from the first end event (Complete, Error, Interrupted),
    // also one that comes without a run. Listeners hear:
    // - ScenarioDetected only while the run is idle: a detection during or after a run
    //   neither moves the wizard nor starts a second run;
    // - the first end event; after it only an error that follows an error or an
    //   interruption (the errors view shows its text; a stop can fail on its way back).
    //   A later Complete or Interrupted, and anything after a completion, contradicts the
    //   outcome and reaches nobody.
    KernelEvents.$inject = ['$rootScope', '$browser', '$window', 'channel', 'toView'];
    function KernelEvents($rootScope, $browser, $window, channel, toView) {
        var kernel = channel.kernel;
        var FRAMED = ['ProgressPositionChangedSignal', 'ComponentsProgressPositionChangedSignal',
            'ProgressDescriptionChangedSignal'];
        var IN_TURN = ['ScenarioDetectedSignal', 'StartedSignal', 'CompleteSignal', 'ErrorSignal', 'InterruptedSignal',
            'NotEnoughDiskSpaceSignal', 'AnotherInstallationInProgressSignal', 'ProgressComponentChangedSignal',
            'FloatingProgressSignal'];
        var END = ['CompleteSignal', 'ErrorSignal', 'InterruptedSignal'];
        var listeners = {};
        var pending = {};
        var pendingOrder = [];
        var frameAsked = false;
        var run = 'idle';
        var outcome = null;

        function deliver(signal, args) {
            (listeners[signal] || []).slice().forEach(function (listener) {
                listener.apply(null, args);
            });
        }

        function applyPending() {
            var order = pendingOrder;
            var values = pending;
            pendingOrder = [];
            pending = {};
            order.forEach(function (signal) {
                deliver(signal, values[signal]);
            });
        }

        // Counted like a request in flight, so that whoever waits for the page to be idle
        // also waits for the frame.
        function onFrame() {
            frameAsked = false;
            try {
                if (pendingOrder.length) {
                    $rootScope.$apply(applyPending);
                }
            } finally {
                $browser.$$completeOutstandingRequest(angular.noop);
            }
        }

        function heard(signal) {
            if (signal === 'ScenarioDetectedSignal') {
                return run === 'idle';
            }
            if (signal === 'StartedSignal') {
                if (run === 'idle') {
                    run = 'running';
                }
                return true;
            }
            if (END.indexOf(signal) === -1) {
                return true;
            }
            if (outcome === null) {
                outcome = signal;
                run = 'ended';
                return true;
            }
            return signal === 'ErrorSignal' && outcome !== 'CompleteSignal';
        }

        FRAMED.forEach(function (signal) {
            kernel[signal].connect(function () {
                if (!Object.prototype.hasOwnProperty.call(pending, signal)) {
                    pendingOrder.push(signal);
                }
                pending[signal] = Array.prototype.slice.call(arguments);
                if (!frameAsked) {
                    frameAsked = true;
                    $browser.$$incOutstandingRequestCount();
                    $window.requestAnimationFrame(onFrame);
                }
            });
        });
        IN_TURN.forEach(function (signal) {
            kernel[signal].connect(toView(function () {
                applyPending();
                if (heard(signal)) {
                    deliver(signal, arguments);
                }
            }));
        });

        return {
            // Calls listener(args...) inside a digest for each signal it is to hear, for
            // the page's lifetime.
            on: function (signal, listener) {
                (listeners[signal] = listeners[signal] || []).push(listener);
            },
            // The page has called Start.
            started: function () {
                if (run === 'idle') {
                    run = 'running';
                }
            },
            run: function () {
                return run;
            },
            END: END
        };
    }
})();
