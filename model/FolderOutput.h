// The output folder of a site folder.
#pragma once

class CFolder;
class CPublishContext;

// Creates the folder's directory under the run's output root (its chain of parents,
// every name made safe) and records it in the run's file list as a folder. 0 when the
// directory cannot be made or the parent chain loops; nothing is recorded then.
int CreateFolderOutput(CFolder* folder, CPublishContext& context);
