#pragma once
// Doubly linked lists threaded through members of their elements, as the document keeps its
// tags and its characters. The owner holds the first and last element.

namespace swf {

template <class T, T* T::*Next, T* T::*Previous>
void ListLinkAfter(T* node, T* before, T*& first, T*& last) {
    node->*Previous = before;
    node->*Next = before ? before->*Next : first;
    if (node->*Next) (node->*Next)->*Previous = node;
    else last = node;
    if (before) before->*Next = node;
    else first = node;
}

template <class T, T* T::*Next, T* T::*Previous>
void ListUnlink(T* node, T*& first, T*& last) {
    if (node->*Previous) (node->*Previous)->*Next = node->*Next;
    else first = node->*Next;
    if (node->*Next) (node->*Next)->*Previous = node->*Previous;
    else last = node->*Previous;
    node->*Next = node->*Previous = nullptr;
}

}  // namespace swf
