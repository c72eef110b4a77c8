// Zoom to fit: the preview zoom at which the page fits the visible part of
// the preview area, whole or by its width.
#pragma once

#include "layout/cardoutput.h"

#include <QSize>

enum class PreviewFit { WholePage, PageWidth };

// The zoom field's range and step.
constexpr int kMinZoom = 10, kMaxZoom = 1000, kZoomStep = 10;

// The page on the screen is W x H pixels at a zoom (PreviewPageGeometry) and
// sits 8 pixels from the area's corner with an 8-pixel strip beyond it, so it
// fits a visible area of w x h pixels when W + 16 <= w and H + 16 <= h.
// Returns the largest zoom step at which the page fits `visible` (the area
// without scroll bars): whole, or by its width alone, in which case a page
// taller than the area brings a vertical scroll bar of `scrollBarWidth`
// pixels that takes its room. When not even the smallest step fits, the
// smallest step.
int FitZoom(const PageArea &area, int screenDpi, QSize visible, int scrollBarWidth, PreviewFit fit);
