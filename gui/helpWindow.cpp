#include "gui/helpWindow.h"

#include <algorithm>

#include <QApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/helpText.h"
#include "model/catalogue.h"

namespace tess
{

namespace
{

// Serves our generated pages for the relative addresses the pages link with.
class HelpBrowser : public QTextBrowser
{
  public:
    explicit HelpBrowser(QWidget *parent) : QTextBrowser(parent)
    {
        setOpenExternalLinks(false);
        document()->setDocumentMargin(18);
        setFrameShape(QFrame::NoFrame);
    }

    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type == QTextDocument::HtmlResource) {
            const int context = helpText::contextOfUrl(name);
            if (context >= 0)
                return helpText::page(context);
        }
        return QTextBrowser::loadResource(type, name);
    }
};

int shownContext(int context)
{
    return context >= 1 && context <= kGameCount ? context : helpText::kContents;
}

const char *kListStyle =
    "QListWidget { border: none; background: #eef2ee; padding: 8px 6px; font-size: 10pt; }"
    "QListWidget::item { padding: 4px 6px; color: #23272a; border-radius: 3px; }"
    "QListWidget::item:hover { background: #dde7de; }"
    "QListWidget::item:selected { background: #2e6b45; color: white; }";

} // namespace

HelpWindow::HelpWindow(const QString &productName, QObject *parent) : QObject(parent), product_(productName)
{
}

HelpWindow::~HelpWindow()
{
    // Windows without an owner go with the viewer that made them.
    delete popup_.data();
    delete full_.data();
}

int HelpWindow::popupContext() const
{
    return popupBrowser_ ? helpText::contextOfUrl(popupBrowser_->source()) : -1;
}

int HelpWindow::fullContext() const
{
    return fullBrowser_ ? helpText::contextOfUrl(fullBrowser_->source()) : -1;
}

QWidget *HelpWindow::buildPopup()
{
    auto *w = new QWidget(nullptr, Qt::Window);
    w->setObjectName(QStringLiteral("helpPopup"));
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->resize(420, 520);

    auto *browser = new HelpBrowser(w);
    browser->setObjectName(QStringLiteral("txtRules"));
    auto *close = new QPushButton(tr("Close"), w);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, w, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 6, 12, 10);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(browser, 1);
    layout->addLayout(buttons);

    connect(browser, &QTextBrowser::sourceChanged, w, [this, w](const QUrl &shown) {
        const QString page = helpText::title(std::max(0, helpText::contextOfUrl(shown)));
        w->setWindowTitle(QStringLiteral("%1 - %2 Help (%3)").arg(page, product_, helpFile_));
    });
    popupBrowser_ = browser;
    return w;
}

QWidget *HelpWindow::buildFull()
{
    auto *w = new QWidget(nullptr, Qt::Window);
    w->setObjectName(QStringLiteral("helpWindow"));
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowTitle(QStringLiteral("%1 Help (%2)").arg(product_, helpFile_));
    w->resize(900, 650);

    auto *browser = new HelpBrowser(w);
    browser->setObjectName(QStringLiteral("txtHelp"));

    auto *list = new QListWidget(w);
    list->setObjectName(QStringLiteral("lstTopics"));
    list->setStyleSheet(QString::fromLatin1(kListStyle));
    for (int id = 1; id <= kGameCount; ++id) {
        auto *item = new QListWidgetItem(QString::fromLatin1(catalogue::GameName(id)), list);
        item->setData(Qt::UserRole, id);
    }
    list->setMinimumWidth(200);
    connect(list, &QListWidget::itemClicked, browser, [browser](QListWidgetItem *item) {
        browser->setSource(helpText::topicUrl(item->data(Qt::UserRole).toInt()));
    });

    auto tool = [w](const char *name, QStyle::StandardPixmap icon, const QString &text) {
        auto *b = new QToolButton(w);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(w->style()->standardIcon(icon));
        b->setText(text);
        b->setToolTip(text);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        return b;
    };
    QToolButton *back = tool("cmdBack", QStyle::SP_ArrowBack, tr("Back"));
    QToolButton *forward = tool("cmdForward", QStyle::SP_ArrowForward, tr("Forward"));
    QToolButton *home = tool("cmdContents", QStyle::SP_DirHomeIcon, tr("Contents"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QToolButton::clicked, browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, browser,
            [browser] { browser->setSource(helpText::topicUrl(helpText::kContents)); });
    connect(browser, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    connect(browser, &QTextBrowser::sourceChanged, this, &HelpWindow::syncList);

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(8, 4, 8, 4);
    bar->setSpacing(2);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addSpacing(8);
    bar->addWidget(home);
    bar->addStretch(1);

    auto *split = new QSplitter(Qt::Horizontal, w);
    split->addWidget(list);
    split->addWidget(browser);
    split->setStretchFactor(1, 1);
    split->setSizes({230, 670});
    split->setChildrenCollapsible(false);

    auto *layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(split, 1);

    fullBrowser_ = browser;
    list_ = list;
    return w;
}

void HelpWindow::syncList(const QUrl &shown)
{
    if (!list_)
        return;
    // The browser's own source() still names the previous page while it announces the new one.
    const int context = helpText::contextOfUrl(shown);
    if (context >= 1 && context <= list_->count()) {
        list_->setCurrentRow(context - 1);
        list_->scrollToItem(list_->currentItem());
    } else {
        list_->clearSelection();
        list_->setCurrentRow(-1);
    }
}

void HelpWindow::showTopic(const QString &helpFile, int context, bool popup)
{
    helpFile_ = helpFile;
    QWidget *w = nullptr;
    QTextBrowser *browser = nullptr;
    if (popup) {
        if (!popup_)
            popup_ = buildPopup();
        w = popup_;
        browser = popupBrowser_;
    } else {
        if (!full_)
            full_ = buildFull();
        w = full_;
        browser = fullBrowser_;
        w->setWindowTitle(QStringLiteral("%1 Help (%2)").arg(product_, helpFile_));
    }
    browser->setSource(helpText::topicUrl(shownContext(context)));
    // A modal dialog (Select Game's Rules) blocks every window but its own: the help becomes one
    // of them, or it could be neither scrolled nor closed until the dialog is gone.
    QWidget *owner = QApplication::activeModalWidget();
    if (owner == w)
        owner = nullptr;
    if (w->parentWidget() != owner)
        w->setParent(owner, w->windowFlags() | Qt::Window);
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace tess
