// Helpers of the items' common HTML: folder-relative addresses.
#pragma once
#include "framework/core/CString.h"

#include <initializer_list>
#include <utility>

class CFolder;
class CItem;
class CPageOutput;

// The address prefix from the pages of folder `from` to the files of folder `to` (null =
// the site root): "../" for each level of `from`, then the names of `to` from the top
// down, each followed by "/". Empty when both are the same folder.
CString GetRelativePath(const CFolder* from, const CFolder* to);

// The address of a generated file from a page, ready for an attribute or a CSS url():
// the file was written into the output folder of fileFolder (null = the site root), the
// page lies in pageFolder. Icons, sprites, pictures, thumbnails and stored files are all
// addressed through here.
CString OutputFileHref(const CFolder* pageFolder, const CFolder* fileFolder, const char* fileName);
// A file an item wrote while it was exported: items of pages write beside their page,
// items of bands and masters at the site root (the item keeps that folder as parent).
CString ItemFileHref(const CItem& item, const CPageOutput& out, const char* fileName);

// The <audio> or <video> element of a streamed media file: the item's style (with its
// box size) and class, the address as typed, the player's controls when asked and
// autoplay. Browsers play these without a plug-in, and the markup stays valid HTML5
// when no address is set yet.
// The style of a social plug-in's frame in the page's flow: a block of the item's size
// that takes its room as the canvas gives it (a positioned one is placed absolutely).
CString FlowingFrameStyle(const CItem& item);

void WriteStreamMedia(CItem& item, CPageOutput& out, const char* element, const CString& address, bool autoplay,
    bool controls);
