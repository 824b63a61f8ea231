#pragma once

#include <QRegion>
#include <memory>
#include <vector>

// Placement flags of an anchored control.
enum AnchorFlag : int {
    ANCHOR_TOP = 0x1,
    ANCHOR_VCENTER = 0x2,
    ANCHOR_BOTTOM = 0x3,
    ANCHOR_LEFT = 0x10,
    ANCHOR_HCENTER = 0x20,
    ANCHOR_RIGHT = 0x30,
    ANCHOR_FIXED_HEIGHT = 0x200,
    ANCHOR_FIXED_WIDTH = 0x400,
    ANCHOR_BESIDE_H = 0x800,
    ANCHOR_BESIDE_V = 0x1000,
};

// A rectangle with exclusive right and bottom edges, so widths are right - left.
struct LayoutRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const LayoutRect&) const = default;
};

// What the layout needs to know about the dialog's controls, by dialog id.
class LayoutHost {
public:
    virtual ~LayoutHost() = default;
    virtual bool exists(int id) const = 0;
    // The control's rectangle in dialog client coordinates.
    virtual LayoutRect rect(int id) const = 0;
    virtual bool visible(int id) const = 0;
    virtual bool isGroupBox(int id) const = 0;
};

// One registered control.
struct CDlgEntry {
    int controlId = 0;
    int anchor = -1; // index of the anchor entry, -1 for the dialog's client rectangle
    int flags = 0;
    int widthDivisor = 0;
    int heightDivisor = 0;
    int xOffset = 0;
    int yOffset = 0;
    int widthMargin = 0;
    int heightMargin = 0;
    bool groupBox = false;
    LayoutRect rect;
    int fixedWidth = 0;
    int fixedHeight = 0;
};

// The anchored layout of a resizable dialog as pure geometry: each control keeps
// its template distance to its anchor and may share the dialog's growth.
class DialogAnchors {
public:
    struct Move {
        int id;
        LayoutRect rect;
    };

    // Registers a control; nothing happens when it or its anchor is unknown.
    // Returns whether an entry was added.
    bool AddAnchor(const LayoutHost& host, int widthPeer, int anchorId, int controlId, int flags,
                   int widthDivisor = 0, int heightDivisor = 0, int heightPeer = -1);
    void SetFixedSize(int controlId, int width, int height);
    // One layout pass for a new client size; returns the moves to apply together.
    std::vector<Move> LayoutControls(const LayoutHost& host, int width, int height);
    // The part of the client area that the background fill paints.
    QRegion EraseRegion(const LayoutHost& host, const LayoutRect& client) const;

    void MarkNotYetSized() { m_notYetSized = true; }
    bool notYetSized() const { return m_notYetSized; }
    int initialWidth() const { return m_initialWidth; }
    int initialHeight() const { return m_initialHeight; }
    const std::vector<CDlgEntry>& entries() const { return m_entries; }

private:
    bool m_notYetSized = true;
    int m_initialWidth = 0;
    int m_initialHeight = 0;
    LayoutRect m_root;
    std::vector<CDlgEntry> m_entries;
};
