// What a run puts on disk: output directories, article file names and the
// local copies of the shares' pictures.
#pragma once

#include <string>
#include <string_view>

#include "guang/share_record.h"
#include "guang/share_source.h"
#include "net/file_system.h"
#include "run/picture_fetch.h"

namespace pelrine {

// Creates every missing directory along `path` (which ends in "\"), left to
// right, passing over a drive ("C:") and directories that exist; false at
// the first directory that cannot be made.
bool CreatePathDirectories(std::string_view path, FileSystem& files);

// `title` made fit for a file name: \ / : * ? | < > become their full-width
// forms, double quotes and line breaks go; nothing else changes.
std::string SafeFileName(std::string_view title);

// The file name of an article: SafeFileName(title) "." extension, with "_" in
// front when the system would take it for a device (CON, NUL, COM1, ...).
std::string ArticleFileName(std::string_view title, std::string_view extension);

// The extension of a picture address: from its last "." to the end; ".jpg"
// when that text holds a "/"; "" when the address has no ".".
std::string PictureExtension(std::string_view picture_url);

// A picture's file name from service data (share id and extension): the
// SafeFileName replacements, and "_" in front of a name that is empty, made
// only of dots or spaces, or a device name. Ordinary names stay as they are.
std::string SafePictureName(std::string_view name);

// Stores the share's picture under `output_directory` + `directory_name` and
// points its `pictureUrl` at the stored copy, relative to the articles. A
// picture that exists already is not fetched again; a fetch that times out
// or brings nothing stores nothing, so that a later run tries again.
void LocalisePicture(std::string_view output_directory, std::string_view directory_name,
                     ShareRecord& share, FileSystem& files, PictureFetch& fetch,
                     StatusLabel& status);

}  // namespace pelrine
