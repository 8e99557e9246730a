// A master group: its items appear on every page that refers to it by serial.
#pragma once
#include "model/GroupItem.h"

class CMasterItem : public CGroupItem {
public:
    CMasterItem();
    ~CMasterItem() override = default;
};
