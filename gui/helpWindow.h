// The help viewer: a compact window for one game's rules and the full help with its contents.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "store/cData.h"

class QListWidget;
class QUrl;
class QTextBrowser;
class QWidget;

namespace tess
{

class HelpWindow : public QObject, public HelpSink
{
    Q_OBJECT
  public:
    explicit HelpWindow(const QString &productName = QStringLiteral("Tessaline"), QObject *parent = nullptr);
    ~HelpWindow() override;

    // popup: the compact rules window at that context; otherwise the full help at the contents page.
    // Context 0 and any context that names no page show the contents page. A window asked for while
    // a modal dialog is open belongs to that dialog, so it stays usable; otherwise it has no owner.
    void showTopic(const QString &helpFile, int context, bool popup) override;

    // The windows while they are open (null once closed; each is built afresh on its next use).
    QWidget *popupWindow() const { return popup_; }
    QWidget *fullWindow() const { return full_; }
    // The context each window shows now, -1 when it is closed.
    int popupContext() const;
    int fullContext() const;

  private:
    QWidget *buildPopup();
    QWidget *buildFull();
    void syncList(const QUrl &shown);

    QString product_;
    QString helpFile_;
    QPointer<QWidget> popup_;
    QPointer<QWidget> full_;
    QPointer<QTextBrowser> popupBrowser_;
    QPointer<QTextBrowser> fullBrowser_;
    QPointer<QListWidget> list_;
};

} // namespace tess
