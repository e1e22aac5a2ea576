// Where and how large the picture appears: displayed size per zoom mode,
// centring and scrolling, the zoom steps and limits, zooming about a point,
// the scroll requests and the zoom command table. Plain numbers only, so the
// native tests reach every rule; viewer/view_geometry.cpp applies them to the
// window.
#pragma once
#include <stdint.h>

const double kMinZoomScale = 0.02;
const double kMaxZoomScale = 32.0;
const double kZoomInFactor = 1.25;
const double kZoomOutFactor = 0.8;
const int kScrollLine = 40;        // pixels per line step of a scroll bar
const int kMinScalePercent = 2;    // the Custom Scale dialog's range
const int kMaxScalePercent = 3200;

enum ZoomMode { kZoomFixed = 0, kZoomBestFit = 1, kZoomShrinkToFit = 2 };

// A rectangle in client coordinates, right and bottom exclusive.
struct ViewBox {
    int left, top, right, bottom;
};

// The part of the viewer's state that zooming and scrolling change.
struct ZoomState {
    int32_t mode;   // ZoomMode
    double scale;   // used in kZoomFixed
    int32_t scroll_x, scroll_y;
};

// The picture area of the client rectangle: below the toolbar and above the
// status bar (a height of 0 for a hidden bar); the bottom never rises above
// the top.
ViewBox ViewBoxInClient(const ViewBox& client, int toolbar_height, int status_height);

double ClampZoomScale(double scale);

// Displayed size of a w x h picture in a view_w x view_h view; (0, 0) when
// there is no picture (w or h below 1). Each side at least 1 otherwise.
void DisplaySizeFor(const ZoomState& zoom, int view_w, int view_h, int w, int h, int* dw, int* dh);

// The scale the picture is shown at: the fixed scale, or displayed width / w
// in the fit modes.
double EffectiveScale(const ZoomState& zoom, int dw, int w);

// Scale in whole percent, rounded: the status bar and the Custom Scale dialog.
int ScalePercent(double scale);

// Offset of the displayed picture from the view's near edge along one axis:
// -scroll when it is larger than the view, else centred.
int PictureOffset(int view_extent, int display_extent, int scroll);

// The picture column (or row) under a point `offset` pixels from the
// displayed picture's near edge, rounded and held to 0..size.
int PictureCoordinate(int offset, int display_extent, int size);

// How far the view can scroll along one axis (0 when the picture fits).
int ScrollLimit(int display_extent, int view_extent);

// Scroll limits for the current size; positions lowered to them, and 0 in
// the fit modes.
void ClampScrollToView(ZoomState* zoom, int view_w, int view_h, int w, int h, int* max_x, int* max_y);

// Fixed scale, clamped, scroll reset.
void SetFixedScale(ZoomState* zoom, double scale);

// Multiplies the effective scale (a fit mode becomes the fixed scale it
// showed), clamped; the scroll position is kept. A step that the clamp would
// turn the other way (zooming in on a fit beyond the top) leaves all as it was.
void ZoomByFactor(ZoomState* zoom, double factor, int view_w, int view_h, int w, int h);

// ZoomByFactor, then the scroll position chosen so that the picture point
// under client point (x, y) stays there.
void ZoomAtPoint(ZoomState* zoom, double factor, const ViewBox& view, int w, int h, int x, int y);

// The requests a scroll bar sends; the values are the system's SB_ codes.
enum ScrollRequest {
    kScrollLineBack = 0,
    kScrollLineForward = 1,
    kScrollPageBack = 2,
    kScrollPageForward = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollTop = 6,
    kScrollBottom = 7,
    kScrollEnd = 8,
};

// New scroll position for a request, clamped to 0 .. limit. thumb is the
// position the thumb requests carry.
int ScrollTarget(int request, int position, int page, int limit, int thumb);

// A scroll bar's thumb position arrives in 16 bits; the bar's own 32-bit
// tracking position is taken when its low 16 bits agree, so that pictures
// displayed wider than 65535 pixels scroll to the right place.
int ThumbPosition(int message_position, int tracking_position);

// The zoom commands as data.
enum ZoomAction {
    kZoomSetMode,      // value: the mode
    kZoomActualSize,   // scale 1.0, fixed, scroll reset
    kZoomPreset,       // value: the scale
    kZoomStep,         // value: the factor
    kZoomCustomScale,  // asks for a percentage first
};

struct ZoomCommandRow {
    int id;
    ZoomAction action;
    double value;
    bool needs_image;  // does nothing while no picture is shown
};

// The row of a zoom command id, or null.
const ZoomCommandRow* FindZoomCommand(int id);

// Applies a row other than kZoomCustomScale. False when it does nothing
// (no picture for a row that needs one).
bool ApplyZoomRow(ZoomState* zoom, const ZoomCommandRow& row, bool image_shown, int view_w, int view_h, int w,
                  int h);

// What the Custom Scale field holds, read as an unsigned number: blanks
// around it allowed, anything else reads as 0; numbers too large for 32 bits
// read as 0xFFFFFFFF.
uint32_t ParseScaleField(const char* text);
bool ScalePercentValid(uint32_t percent);
// The nearest percentage the field accepts: what the dialog opens with.
uint32_t ClampScalePercent(uint32_t percent);
