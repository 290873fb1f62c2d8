// The kernel's numbering of scenarios, components and search partners, shared by the
// whole page. The values cross the channel unchanged.
var ScenarioEnum = Object.freeze({
    Unknown: 0,
    RebootRequired: 1,
    UninstallKV9: 2,
    UninstallKV10: 3,
    LatestVersion: 4,
    Install: 5,
    Update: 6,
    InstallRealTimeProtection: 7,
    InstallNetworkProtection: 8,
    Uninstall: 9,
    AlreadyStarted: 10,
    InstallActiveVirusControl: 11,
    Repair: 12,
    Change: 13,
    VeltrionDetected: 14,
    Corrupted: 15,
    UninstallKV11: 16,
    InstallFeatures: 17
});

var ComponentIdEnum = Object.freeze({
    Korvane9: 0,
    Korvane10: 1,
    AntimalwareEngine: 2,
    FirewallEngine: 3,
    KorvaneProxyEngine: 4,
    OnlineThreatsEngine: 5,
    AntispamEngine: 6,
    WebFilteringEngine: 7,
    AvcEngine: 8,
    Application: 9,
    Updater: 10,
    WebInstaller: 11,
    Tessa: 12,
    CommandLineScanner: 13,
    Skype: 14,
    KorvaneBrowser: 15
});

var OfferPartnerIdEnum = Object.freeze({
    Bing: 1,
    Yahoo: 2,
    Google: 3,
    Yandex: 4,
    Baidu: 5,
    Naver: 6,
    Lumenfind: 7
});
