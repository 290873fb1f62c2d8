// Binds the four objects that the program publishes on the web channel to the page's
// globals of the same names.
new QWebChannel(qt.webChannelTransport, function (channel) {
    window.updater_kernel = channel.objects.updater_kernel;
    window.window_helpers = channel.objects.window_helpers;
    window.system_helpers = channel.objects.system_helpers;
    window.ui_extensions = channel.objects.ui_extensions;
});
