#pragma once
// Print (layout 0) and Print Thumbnails (layout 4) in either mode: what to
// print is gathered here (the browser's selection, the viewer's file or the
// folder list) and handed to the printing.
void print_command(int layout);
