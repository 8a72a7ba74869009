#pragma once

#include <string>
#include <vector>

#include "formats/ffmpeg_encoder.h"
#include "formats/file_result.h"
#include "platform/file_dialogs.h"

namespace marvolin::app {

// The Open dialog's entries: "All sound files", which reads any file by its content, then the
// string table's six entries, each kept to its own reader. Every pattern comes in lower and
// upper case, and the AIFF entry names the .aiff and .aifc files its reader also reads.
std::vector<platform::FileFilter> OpenDialogFilters();

// Reads `path` as the Open dialog's entry `filterIndex` (1-based, as the dialog reports it)
// says: by content for the first entry, else with that entry's reader on any file.
formats::LoadResult LoadWithOpenEntry(const std::string& path, int filterIndex);

// Reads `path` by its content: the program's own readers for the types their first bytes
// show, FFmpeg for the rest.
formats::LoadResult LoadSoundByContent(const std::string& path);

// The Save dialog's entries: the string table's "Sound File .WAV" first, then the formats
// encoded with FFmpeg, in the order of formats::SaveFormatEntries.
std::vector<platform::FileFilter> SaveDialogFilters();

// The format the Save dialog's entry `filterIndex` (1-based) writes; WAV for anything unknown.
formats::SaveFormat SaveFormatOfEntry(int filterIndex);

// Writes the sound in `format`; a bare file name gets the format's extension. The encoded
// formats carry the file's base name as their title.
formats::SaveResult SaveInFormat(const formats::SoundBuffer& sound, const std::string& path,
                                 formats::SaveFormat format);

}  // namespace marvolin::app
