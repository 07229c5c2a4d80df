#include "shell/explorer.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLibrary>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace skarnel {
namespace {

using CreateWebView = QWidget* (*)(QWidget* parent);

// The web view module: installed in the programs' library folder, or in the build tree.
QStringList WebViewModulePaths()
{
#ifdef SKARNEL_HAVE_WEBENGINE
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/" SKARNEL_WEB_VIEW_INSTALLED "/skarnel_web_view"),
            QStringLiteral(SKARNEL_WEB_VIEW_BUILT "/skarnel_web_view")};
#else
    return {};
#endif
}

// Loaded once, at the first page shown; nothing when no module can be loaded.
CreateWebView WebViewFactory()
{
    static const CreateWebView factory = []() -> CreateWebView {
        for (const QString& path : WebViewModulePaths()) {
            QLibrary module(path);
            if (auto create = reinterpret_cast<CreateWebView>(module.resolve("SkarnelCreateWebView")))
                return create;
        }
        return nullptr;
    }();
    return factory;
}

}  // namespace

void PrepareForWebView()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

CExplorer::CExplorer(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (const CreateWebView makeWebView = WebViewFactory()) {
        view_ = makeWebView(this);
        layout->addWidget(view_);
        return;
    }
    pathLine_ = new QLabel("No page", this);
    auto* open = new QPushButton("Open in Browser", this);
    connect(open, &QPushButton::clicked, this, &CExplorer::OpenInBrowser);
    layout->addStretch();
    layout->addWidget(pathLine_, 0, Qt::AlignCenter);
    layout->addWidget(open, 0, Qt::AlignCenter);
    layout->addStretch();
}

bool CExplorer::HasEmbeddedView()
{
    return WebViewFactory() != nullptr;
}

void CExplorer::Navigate(const QString& htmlPath)
{
    page_ = htmlPath;
    if (view_)
        view_->setProperty("url", QUrl::fromLocalFile(htmlPath));
    else
        pathLine_->setText(htmlPath);
}

void CExplorer::OpenInBrowser() const
{
    if (!page_.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(page_));
}

}  // namespace skarnel
