// Names and paths of generated files. Every name a project supplies (pages, folders,
// pictures, stored files) goes through here before it becomes part of a path, so that
// no project can place a file outside the folder the site is written to.
#pragma once
#include "framework/core/CString.h"

class CFolder;

// One path component made safe: control bytes and / \ : * ? " < > | # % ' ` are
// removed; a name of dots only (".", "..") or nothing at all gives fallback. Other
// characters (letters of any script, blanks, "-", "_", ".") stay, so ordinary names pass
// unchanged.
CString SafeOutputName(const char* name, const char* fallback = "file");

// The site folders from the top down to folder, each as SafeOutputName of its file name
// followed by '/'; empty for the site root (null). A damaged chain that loops is cut.
CString SafeFolderPath(const CFolder* folder);

// True when path, taken lexically, names something strictly inside root (both absolute,
// '/'-separated; "." and ".." resolved without touching the disk).
bool IsInsideFolder(const CString& root, const CString& path);

class CSiteObject;
// The name under which an object's file is written: SafeOutputName of its file name,
// "file" and its serial when nothing usable is left.
CString SafeObjectFileName(const CSiteObject& object);

// An HTML id made from a file's title: only ASCII letters, digits and "_" stay, and "id"
// goes in front when the result does not start with a letter.
CString SafeHtmlId(const char* text);

// A text as a file base name: characters 33..122 kept, : / \ * ? < > | made "x", leading
// dots dropped (so no name can point outside its folder or be hidden). May be empty.
CString SafeFileNameText(const char* text);
