// The embedded web view, built as a module of its own. The web engine's libraries take tens of
// megabytes at every start of a program linked with them, so the application loads this module
// only when a page is first shown (shell/explorer.cpp).

#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <unistd.h>

namespace {

// The web engine's sandbox cannot run as root and ends the process instead; as root (a test
// machine, a container) the engine runs without it.
void AllowRootWithoutSandbox()
{
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

// The map tile servers ask an application for a user agent that names it.
void NameTheApplication(QWebEngineProfile& profile)
{
    const QString name = QStringLiteral(" Skarnel/" SKARNEL_VERSION_TEXT);
    if (!profile.httpUserAgent().endsWith(name))
        profile.setHttpUserAgent(profile.httpUserAgent() + name);
}

}  // namespace

// A web view for local pages whose content comes from the network (map tiles, a provider's
// script); its page is set through its "url" property.
extern "C" Q_DECL_EXPORT QWidget* SkarnelCreateWebView(QWidget* parent)
{
    AllowRootWithoutSandbox();
    auto* web = new QWebEngineView(parent);
    web->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    NameTheApplication(*web->page()->profile());
    return web;
}
