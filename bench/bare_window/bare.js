// Binds the one published object as window.bench.
new QWebChannel(qt.webChannelTransport, function (channel) {
    window.bench = channel.objects.bench;
});
