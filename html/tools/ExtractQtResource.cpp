// Build tool: copies a file out of a Qt resource linked into this tool (the web
// channel's client script) so that the page's resource bundle can carry it.
#include <QCoreApplication>
#include <QFile>
#include <QWebChannel>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    // Using the module keeps it linked, and with it the resources it carries.
    const QWebChannel channel;
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: %s RESOURCE OUTPUT\n", argv[0]);
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    QFile target(QString::fromLocal8Bit(argv[2]));
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly | QIODevice::Truncate))
    {
        std::fprintf(stderr, "cannot copy %s to %s\n", argv[1], argv[2]);
        return 1;
    }
    const QByteArray content = source.readAll();
    return target.write(content) == content.size() ? 0 : 1;
}
