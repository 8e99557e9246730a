// Helpers of the generation tests: a sample site with bands, a master, nested folders and
// every item type; a strict CSS syntax check; the local files a page or stylesheet refers
// to; the files under a folder.
#pragma once
#include "document/KJDoc.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>

class CFolder;
class CGroupItem;
class CPage;

namespace gentest {

// A folder of the document (parent may be null).
CFolder* AddFolder(CKJDoc& doc, const char* name, CFolder* parent);
// A page of the document in folder, with base name and extension.
CPage* AddNamedPage(CKJDoc& doc, const char* baseName, const char* extension, CFolder* folder);
// The sample site: every item type the factory makes, header and footer bands, a master,
// pages at the top and in nested folders (an index page in a folder too), links between
// them, to the home page, to a stored file and outside, a style class, named strings,
// site title, the social-network tab, a texture and a stored file.
// With everyItemInBands, the header band, the master and the page in shop/offers hold
// every item type as well (AddEveryItemType).
void BuildSampleSite(CKJDoc& doc, bool everyItemInBands = true);

// Adds one item of every type the factory makes to container, in the variants that write
// files of their own: icons of Text, Link, List and Categories items, a rollover sprite,
// a gallery with thumbnails, a link to a picture in the overlay and a category entry
// that leads to the page or stored file fileTarget.
void AddEveryItemType(CKJDoc& doc, CGroupItem& container, int fileTarget);

// Gives every item of the image family without a picture a small white one, as items
// made from picture files have.
void GivePicturesToImages(CKJDoc& doc);

// Syntax errors of a stylesheet (empty when none): rules and at-rules, blocks, strings,
// comments, brackets, declarations with a property name and a value.
QStringList CssSyntaxErrors(const QByteArray& css);

// Local addresses an HTML page or a stylesheet refers to (src, href, url(), action),
// without query or fragment, percent-decoded; outside addresses (with a scheme, "//",
// "#", the site root "/") are left out.
QStringList LocalReferences(const QByteArray& text, bool css);

// Every file and folder under root, as paths relative to it.
QStringList FilesUnder(const QString& root);

// HTML with a leading PHP block removed (tidy reads HTML only).
QByteArray WithoutPhpBlock(const QByteArray& page);

} // namespace gentest
