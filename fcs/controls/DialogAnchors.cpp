#include "fcs/controls/DialogAnchors.h"

namespace {
constexpr int kVerticalMask = 0x3;
constexpr int kHorizontalMask = 0x30;

int verticalMode(int flags)
{
    const int mode = flags & kVerticalMask;
    return mode == 0 ? ANCHOR_TOP : mode;
}

int horizontalMode(int flags)
{
    const int mode = flags & kHorizontalMask;
    return mode == 0 ? ANCHOR_LEFT : mode;
}
}

bool DialogAnchors::AddAnchor(const LayoutHost& host, int widthPeer, int anchorId, int controlId,
                              int flags, int widthDivisor, int heightDivisor, int heightPeer)
{
    if (!host.exists(controlId))
        return false;
    m_root = {0, 0, m_initialWidth, m_initialHeight};

    int anchor = -1;
    if (anchorId != -1) {
        for (int i = static_cast<int>(m_entries.size()) - 1; i >= 0; --i) {
            if (m_entries[static_cast<size_t>(i)].controlId == anchorId) {
                anchor = i;
                break;
            }
        }
        if (anchor == -1)
            return false;
    }

    const int peerWidth = widthPeer != -1 && host.exists(widthPeer) ? host.rect(widthPeer).width() : 0;
    const int peerHeight = heightPeer != -1 && host.exists(heightPeer) ? host.rect(heightPeer).height() : 0;
    const LayoutRect r = host.rect(controlId);
    const LayoutRect a = anchor == -1 ? m_root : m_entries[static_cast<size_t>(anchor)].rect;

    CDlgEntry entry;
    entry.controlId = controlId;
    entry.anchor = anchor;
    entry.flags = flags;
    entry.widthDivisor = widthDivisor;
    entry.heightDivisor = heightDivisor;
    entry.widthMargin = a.width() - r.width() - peerWidth;
    entry.heightMargin = a.height() - r.height() - peerHeight;
    entry.groupBox = host.isGroupBox(controlId);

    switch (verticalMode(flags)) {
    case ANCHOR_VCENTER: entry.yOffset = 0; break;
    case ANCHOR_BOTTOM: entry.yOffset = a.bottom - r.bottom; break;
    default: entry.yOffset = r.top - a.top; break;
    }
    if (flags & ANCHOR_BESIDE_V)
        entry.yOffset += a.top - a.bottom;

    switch (horizontalMode(flags)) {
    case ANCHOR_HCENTER: entry.xOffset = 0; break;
    case ANCHOR_RIGHT: entry.xOffset = a.right - r.right; break;
    default: entry.xOffset = r.left - a.left; break;
    }
    if (flags & ANCHOR_BESIDE_H)
        entry.xOffset += a.left - a.right;

    entry.rect = r;
    m_entries.push_back(entry);
    return true;
}

void DialogAnchors::SetFixedSize(int controlId, int width, int height)
{
    for (CDlgEntry& entry : m_entries) {
        if (entry.controlId == controlId) {
            entry.fixedWidth = width;
            entry.fixedHeight = height;
            entry.flags |= ANCHOR_FIXED_WIDTH | ANCHOR_FIXED_HEIGHT;
            return;
        }
    }
}

std::vector<DialogAnchors::Move> DialogAnchors::LayoutControls(const LayoutHost& host, int width, int height)
{
    if (m_notYetSized) {
        m_initialWidth = width;
        m_initialHeight = height;
        m_notYetSized = false;
    }
    m_root = {0, 0, width, height};

    std::vector<Move> moves;
    for (CDlgEntry& e : m_entries) {
        if (!host.exists(e.controlId))
            continue;
        const LayoutRect a = e.anchor == -1 ? m_root : m_entries[static_cast<size_t>(e.anchor)].rect;
        const LayoutRect current = host.rect(e.controlId);
        int w = current.width();
        int h = current.height();
        if (e.flags & ANCHOR_FIXED_HEIGHT)
            h = e.fixedHeight;
        else if (e.heightDivisor != 0)
            h = (a.height() - e.heightMargin) / e.heightDivisor;
        if (e.flags & ANCHOR_FIXED_WIDTH)
            w = e.fixedWidth;
        else if (e.widthDivisor != 0)
            w = (a.width() - e.widthMargin) / e.widthDivisor;

        int y = 0;
        switch (verticalMode(e.flags)) {
        case ANCHOR_BOTTOM:
            y = (e.flags & ANCHOR_BESIDE_V) ? a.top - e.yOffset - h : a.bottom - e.yOffset - h;
            break;
        case ANCHOR_VCENTER: y = a.top + (a.height() - h) / 2; break;
        default: y = (e.flags & ANCHOR_BESIDE_V) ? a.bottom + e.yOffset : a.top + e.yOffset; break;
        }
        int x = 0;
        switch (horizontalMode(e.flags)) {
        case ANCHOR_RIGHT:
            x = (e.flags & ANCHOR_BESIDE_H) ? a.left - e.xOffset - w : a.right - e.xOffset - w;
            break;
        case ANCHOR_HCENTER: x = a.left + (a.width() - w) / 2; break;
        default: x = (e.flags & ANCHOR_BESIDE_H) ? a.right + e.xOffset : a.left + e.xOffset; break;
        }
        e.rect = {x, y, x + w, y + h};
        moves.push_back({e.controlId, e.rect});
    }
    return moves;
}

QRegion DialogAnchors::EraseRegion(const LayoutHost& host, const LayoutRect& client) const
{
    auto toRect = [](const LayoutRect& r) { return QRect(r.left, r.top, r.width(), r.height()); };
    QRegion region(toRect(client));
    for (const CDlgEntry& e : m_entries) {
        if (!host.exists(e.controlId) || !host.visible(e.controlId))
            continue;
        const LayoutRect r = host.rect(e.controlId);
        if (e.groupBox) {
            // Only the frame band: the inside of a group box is painted.
            QRegion band(toRect(r));
            band -= QRegion(toRect({r.left + 1, r.top + 16, r.right - 1, r.bottom - 1}));
            region -= band;
        } else {
            region -= QRegion(toRect(r));
        }
    }
    return region;
}
