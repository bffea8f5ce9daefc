#ifndef __VORN_TOOL_PNG_FILE_H__
#define __VORN_TOOL_PNG_FILE_H__

#include "Image.h"

#include <string>

namespace vorntool
{
/**
 * Writes an 8-bit RGBA PNG with no time or text chunks, so the same pixels always give the
 * same bytes. False (and a message on stderr) when the file can't be written.
 */
bool writePng(const Image& image, const std::string& path);
/** Reads an 8-bit RGB/RGBA/grey, non-interlaced PNG (what our tools write). */
bool readPng(const std::string& path, Image& out);
/** Whole-file text helpers; false and a message on stderr on failure. */
bool writeTextFile(const std::string& path, const std::string& text);
bool readTextFile(const std::string& path, std::string& out);
} // namespace vorntool

#endif
