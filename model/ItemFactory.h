// Makes an empty object of a type code before its record is read.
#pragma once

class CItem;

// A new item of the class behind the code, with its constructor defaults; null for codes
// without a class made here (39 stored files, 42 masters, 47 pictures, and anything
// outside 1..46). The caller owns the result.
CItem* CreateItem(int type);
