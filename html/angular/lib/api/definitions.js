// Channel start-up. Binds the four objects that the program publishes on the web channel
// to the page's globals of the same names, and only then starts the page application:
// the header and the first view call the program as soon as they are built, so the
// framework must never boot before the objects are bound.
(function () {
    'use strict';

    function boot() {
        angular.bootstrap(document.documentElement, ['KorvaneUpdater'], { strictDi: true });
    }

    new QWebChannel(qt.webChannelTransport, function (channel) {
        window.updater_kernel = channel.objects.updater_kernel;
        window.window_helpers = channel.objects.window_helpers;
        window.system_helpers = channel.objects.system_helpers;
        window.ui_extensions = channel.objects.ui_extensions;

        // The exchange may finish while the later scripts are still loading.
        if (document.readyState === 'loading') {
            document.addEventListener('DOMContentLoaded', boot);
        } else {
            boot();
        }
    });
})();
