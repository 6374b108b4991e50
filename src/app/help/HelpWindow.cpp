#include "app/help/HelpWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace moravel {

namespace {

QToolButton* MakeButton(const QString& text, const QString& name, const QString& hint, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Moravel Help"));
    setObjectName(QStringLiteral("HelpWindow"));
    resize(760, 600);
    externalOpener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    BuildLayout();
    ConnectControls();
}

void HelpWindow::BuildLayout() {
    back_ = MakeButton(tr("Back"), QStringLiteral("HelpBack"), tr("Previous page"), this);
    forward_ = MakeButton(tr("Forward"), QStringLiteral("HelpForward"), tr("Next page"), this);
    contents_ = MakeButton(tr("Contents"), QStringLiteral("HelpContents"), tr("Contents of the manual"), this);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(contents_);
    buttons->addStretch(1);

    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("HelpNotice"));
    notice_->setStyleSheet(QStringLiteral("QLabel { background: #fff3c4; color: #000000; padding: 4px; }"));
    notice_->setTextFormat(Qt::PlainText);  // a topic name is shown as given, never as markup
    notice_->setWordWrap(true);
    notice_->hide();

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setAccessibleName(tr("Help page"));
    browser_->verticalScrollBar()->setAccessibleName(tr("Help page, up and down"));
    browser_->horizontalScrollBar()->setAccessibleName(tr("Help page, left and right"));
    // Links are routed by OpenLink so that web links never replace the page.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(notice_);
    layout->addWidget(browser_, 1);
}

void HelpWindow::ConnectControls() {
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QToolButton::clicked, this, [this] {
        if (contentsUrl_.isValid()) ShowPage(contentsUrl_);
    });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::OpenLink);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { SetNotice(QString()); });
}

void HelpWindow::ShowPage(const QUrl& url) {
    SetNotice(QString());
    browser_->setSource(url);
}

void HelpWindow::Present() {
    // When the help window is itself the top modal window it stays as it is.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != this) SetModality(modal != nullptr ? Qt::ApplicationModal : Qt::NonModal);
    show();
    raise();
    activateWindow();
}

void HelpWindow::SetModality(Qt::WindowModality modality) {
    if (windowModality() == modality) return;
    if (isVisible()) hide();
    setWindowModality(modality);
}

void HelpWindow::SetContentsUrl(const QUrl& url) { contentsUrl_ = url; }

void HelpWindow::SetNotice(const QString& text) {
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
}

QString HelpWindow::Notice() const { return notice_->isVisibleTo(this) ? notice_->text() : QString(); }

void HelpWindow::SetExternalOpener(ExternalOpener opener) { externalOpener_ = std::move(opener); }

bool HelpWindow::IsExternal(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto");
}

void HelpWindow::OpenLink(const QUrl& link) {
    if (IsExternal(link)) {
        if (externalOpener_) externalOpener_(link);
        return;
    }
    const QUrl target = browser_->source().resolved(link);
    // Only pages of the manual itself are shown here; anything else (local
    // files, unknown schemes) is ignored rather than handed to the system.
    if (target.scheme() == QLatin1String("qrc")) browser_->setSource(target);
}

}  // namespace moravel
