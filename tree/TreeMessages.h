#pragma once

#include <QString>

// What the category tree says to the user: the boxes of tree loading and category editing.
namespace treemessages {

inline const QString kReadError = QStringLiteral("读取数据出现错误。");
inline const QString kCodesFull = QStringLiteral("该分类下的子分类已达到9999个，不能再添加。");
inline const QString kAddRootCaption = QStringLiteral("输入FAQ主分类名称");
inline const QString kAddSonCaption = QStringLiteral("输入商品二级分类名称");
inline const QString kRenameCaption = QStringLiteral("输入新的供应商分类名称");
inline const QString kTooDeep = QStringLiteral("选择根分类或一级分类再添加下级");
inline const QString kHasChildren = QStringLiteral("指定分类下有子分类，不能直接删除！请先删除子分类！");
inline const QString kDeleteCaption = QStringLiteral("警告");
// The two lines are parted by a carriage return alone.
inline const QString kDeleteQuestion = QStringLiteral("您确认删除吗？\r节点对应的文档与附件资料都将一并删除！");
inline const QString kDeleteError = QStringLiteral("删除数据发生错误，可能该分类已经被使用。");

} // namespace treemessages
