// The update window's list of twenty 16 x 16 pictures, in a fixed order with
// fixed names; release headers and change lines refer to them by position.
#pragma once

#include <QIcon>
#include <QString>
#include <vector>

class TAlphaImageList {
public:
    static constexpr int kSize = 16;

    TAlphaImageList();

    int Count() const { return static_cast<int>(icons_.size()); }
    // The picture at a position; an empty icon outside the list.
    QIcon Icon(int index) const;
    // The name of the picture at a position; empty outside the list.
    static QString Name(int index);

private:
    std::vector<QIcon> icons_;
};
