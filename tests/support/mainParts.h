// The main window's menu items, toolbar buttons and status captions, found by their object names.
#pragma once

#include <memory>

#include <QAction>
#include <QLabel>
#include <QObject>

#include <gtest/gtest.h>

namespace tess::testing
{

template <class T> T *namedChild(const QObject *w, const QString &name)
{
    T *found = w->findChild<T *>(name);
    if (!found)
        ADD_FAILURE() << "no child named " << name.toStdString();
    return found;
}

// An item of a menu array as the window numbers it: menuItem(w, "mGame", 4) is Autoplay.
inline QAction *menuItem(const QObject *w, const char *menu, int index)
{
    return namedChild<QAction>(w, QStringLiteral("%1_%2").arg(QLatin1String(menu)).arg(index));
}
inline QAction *menuItem(const QObject &w, const char *menu, int index)
{
    return menuItem(&w, menu, index);
}

inline QLabel *caption(const QObject *w, const char *name)
{
    return namedChild<QLabel>(w, QLatin1String(name));
}
inline QLabel *caption(const QObject &w, const char *name)
{
    return caption(&w, name);
}

inline QAction *action(const QObject *w, const char *name)
{
    return namedChild<QAction>(w, QLatin1String(name));
}
inline QAction *action(const QObject &w, const char *name)
{
    return action(&w, name);
}
template <class W> QAction *menuItem(const std::unique_ptr<W> &w, const char *menu, int index)
{
    return menuItem(w.get(), menu, index);
}
template <class W> QLabel *caption(const std::unique_ptr<W> &w, const char *name)
{
    return caption(w.get(), name);
}
template <class W> QAction *action(const std::unique_ptr<W> &w, const char *name)
{
    return action(w.get(), name);
}

} // namespace tess::testing
