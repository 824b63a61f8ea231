#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <functional>

// Hands work to the thread of a receiver (normally the UI thread) as a queued
// call. The caller never waits; when the receiver is gone the call is dropped.
inline void postToUi(QObject* receiver, std::function<void()> call)
{
    QMetaObject::invokeMethod(receiver, std::move(call), Qt::QueuedConnection);
}
