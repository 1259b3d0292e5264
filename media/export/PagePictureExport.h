#pragma once
// A page as one picture file: what the canvas shows (background, painting, pictures, texts,
// movies, vector graphics) at the canvas's size, written by the media runtime's
// picture exporter as a JPEG or a 24-bit BMP file that common viewers open (each 5-bit channel
// spread over the full 8 bits: white stays white). The file appears in one step, so a failed
// export keeps the user's old file. Results are the codes of ExportFiles.h. User-interface
// thread.
#include <string>
#include <vector>

#include "document/pages/RPageData.h"
#include "media/export/PageMovieExport.h"

namespace Ostrel {

enum class PagePictureFormat : u8 { Jpeg, Bmp };

// `target` is an engine text; its name takes ".jpg" (".jpeg" too is kept) or ".bmp" unless it
// ends so. `shown`, the canvas as the screen showed it (a JPEG stream of the canvas's size),
// is the picture when given: every object in its page order, movies and animations at the
// pictures they showed.
i32 exportPagePicture(const RPageData& page, const MovieExportCanvas& canvas, const std::string& target,
                      PagePictureFormat format, const std::vector<u8>& shown = {});

}  // namespace Ostrel
