// Hands back the pages of the font files that the process has mapped.
#pragma once

namespace platform::os {

// FreeType reads the glyphs of a font from a mapping of the whole file, and for every glyph it
// loads the kernel maps the 64 KB around it: a window drawn in a Chinese font of 20 MB keeps
// some 6 MB of the file resident while it needs a few hundred KB once its glyphs are cached as
// images. This drops the read-only mappings' pages from the process; they stay in the page
// cache, and a page needed again is mapped again on its next use.
void ReleaseFontFilePages();

}  // namespace platform::os
