#ifndef __CC_PARTICLE_IMAGE_DATA_H__
#define __CC_PARTICLE_IMAGE_DATA_H__

#include "base/CCPlatformMacros.h"

#include <string>
#include <vector>

NS_CC_BEGIN

/** Standard base64 (whitespace skipped); false on any other character or a bad length. */
bool ccBase64Decode(const std::string& text, std::vector<unsigned char>& out);

/**
 * The image bytes inside a particle file's embedded texture: base64, then gzip or zlib when the
 * data is compressed (raw image bytes pass through). Inflating stops with false past maxBytes.
 */
bool ccDecodeEmbeddedImage(const std::string& base64, std::vector<unsigned char>& out,
                           size_t maxBytes = 16 * 1024 * 1024);

NS_CC_END

#endif // __CC_PARTICLE_IMAGE_DATA_H__
