#include "shell/explorer.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#ifdef SKARNEL_HAVE_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <unistd.h>
#endif

namespace skarnel {
#ifdef SKARNEL_HAVE_WEBENGINE
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
#endif

CExplorer::CExplorer(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
#ifdef SKARNEL_HAVE_WEBENGINE
    AllowRootWithoutSandbox();
    auto* web = new QWebEngineView(this);
    // The pages are local files whose maps come from the network (tiles, the provider's script).
    web->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    NameTheApplication(*web->page()->profile());
    view_ = web;
    layout->addWidget(view_);
#else
    pathLine_ = new QLabel("No page", this);
    auto* open = new QPushButton("Open in Browser", this);
    connect(open, &QPushButton::clicked, this, &CExplorer::OpenInBrowser);
    layout->addStretch();
    layout->addWidget(pathLine_, 0, Qt::AlignCenter);
    layout->addWidget(open, 0, Qt::AlignCenter);
    layout->addStretch();
#endif
}

bool CExplorer::HasEmbeddedView()
{
#ifdef SKARNEL_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

void CExplorer::Navigate(const QString& htmlPath)
{
    page_ = htmlPath;
#ifdef SKARNEL_HAVE_WEBENGINE
    static_cast<QWebEngineView*>(view_)->setUrl(QUrl::fromLocalFile(htmlPath));
#else
    pathLine_->setText(htmlPath);
#endif
}

void CExplorer::OpenInBrowser() const
{
    if (!page_.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(page_));
}

}  // namespace skarnel
