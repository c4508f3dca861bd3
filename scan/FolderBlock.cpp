// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FolderBlock.h"

#include "scan/FolderNode.h"

#include <cstdlib>
#include <cstring>
#include <new>

size_t TFolderBlock::NodesOffset()
{
  constexpr size_t Align = alignof(TFolderNode);
  return (sizeof(TFolderBlock) + Align - 1) / Align * Align;
}

TFolderNode* TFolderBlock::Node(size_t Index) const
{
  auto* Nodes =
    reinterpret_cast<TFolderNode*>(reinterpret_cast<char*>(const_cast<TFolderBlock*>(this)) + NodesOffset());
  return std::launder(Nodes + Index);
}

TFolderBlock* TFolderBlock::Make(TFolderNode* Parent, const std::vector<std::string_view>& Names, const TFileCount& Own,
                                 bool FilesEntry)
{
  const size_t Count = Names.size() + (FilesEntry ? 1 : 0);
  size_t NameBytes = 0;
  for (std::string_view Name : Names)
    NameBytes += Name.size() + 1;
  const size_t NamesOffset = NodesOffset() + Count * sizeof(TFolderNode);
  void* Memory = std::malloc(NamesOffset + NameBytes);
  if (!Memory)
    throw std::bad_alloc();
  auto* Block = new (Memory) TFolderBlock;
  Block->FParent = Parent;
  Block->FCount = Count;
  Block->FOwn = Own;
  char* Text = static_cast<char*>(Memory) + NamesOffset;
  char* NodeMemory = static_cast<char*>(Memory) + NodesOffset();
  for (size_t Index = 0; Index < Count; ++Index) {
    auto* Node = new (NodeMemory + Index * sizeof(TFolderNode)) TFolderNode(Parent);
    Node->FInBlock = true;
    if (Index < Names.size()) {
      std::memcpy(Text, Names[Index].data(), Names[Index].size());
      Text[Names[Index].size()] = '\0';
      Node->FName = Text;
      Text += Names[Index].size() + 1;
    } else {
      Node->SetFilesEntry(Own);
    }
  }
  return Block;
}

void TFolderBlock::TakeOwn(const TFileCount& Files)
{
  FOwn.Objects -= std::min(FOwn.Objects, Files.Objects);
  FOwn.Clusters -= std::min(FOwn.Clusters, Files.Clusters);
  FOwn.TailBytes -= std::min(FOwn.TailBytes, Files.TailBytes);
  FOwn.Holes -= std::min(FOwn.Holes, Files.Holes);
}

void TFolderBlock::Free(TFolderBlock* Block)
{
  while (Block) {
    TFolderBlock* Next = Block->FNext;
    for (size_t Index = 0; Index < Block->FCount; ++Index)
      Block->Node(Index)->~TFolderNode();
    Block->~TFolderBlock();
    std::free(Block);
    Block = Next;
  }
}
