#include "print/draw_cell.h"

#include "core/transform.h"

void DrawImageInCell(HDC dc, const Image* image, const Box& cell, bool fill, int max_side) {
    if (!image || cell.width < 1 || cell.height < 1) return;
    const Box drawn = fit_in_cell(image->width, image->height, cell, fill);
    // A large picture is shrunk once here rather than by the driver or the
    // printer, which would stretch the whole photo for every cell.
    int w, h;
    Image* smaller = shrink_before_drawing(image->width, image->height, drawn, max_side, &w, &h)
                         ? image_resize(image, w, h)
                         : nullptr;
    const Image* source = smaller ? smaller : image;
    HRGN previous = nullptr;
    bool had_clip = false;
    if (fill) {
        previous = CreateRectRgn(0, 0, 0, 0);
        had_clip = previous && GetClipRgn(dc, previous) == 1;
        IntersectClipRect(dc, cell.x, cell.y, cell.x + cell.width, cell.y + cell.height);
    }
    BitmapInfoHeader header;
    image_fill_bitmap_header(source, &header);
    SetStretchBltMode(dc, COLORONCOLOR);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, drawn.x, drawn.y, drawn.width, drawn.height, 0, 0, source->width, source->height,
                  source->pixels, (const BITMAPINFO*)&header, DIB_RGB_COLORS, SRCCOPY);
    if (fill) SelectClipRgn(dc, had_clip ? previous : nullptr);
    if (previous) DeleteObject(previous);
    image_free(smaller);
}
