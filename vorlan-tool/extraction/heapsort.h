#pragma once

// The program's own heap sort. The order in which it leaves equal elements shows in every
// extracted script (pointers sharing one text), so this exact procedure is the contract.
// The heap sits in the array from index 0 but its children are counted as for a heap from 1:
// node i has children 2i and 2i + 1, so node 0 has the single child 1. The largest element
// ends at index 0. Only copying and operator< of the element type are used.
namespace Heapsort {

// Restores the heap property below index i, over the elements 0..d (d the last valid index).
// An equal child does not move up.
template <typename T>
void verifie_tas(T* t, int d, int i) {
    T element = t[i];
    while (i <= d / 2) {
        int j = 2 * i;
        if (j < d && t[j] < t[j + 1]) ++j;
        if (!(element < t[j])) break;
        t[i] = t[j];
        i = j;
    }
    t[i] = element;
}

// Sorts the first n elements in increasing order; not stable.
template <typename T>
void trier(T* t, int n) {
    // With no element, d / 2 would still be 0 and the heap building would touch t[0].
    if (n < 2) return;
    int d = n - 1;
    for (int i = d / 2; i >= 0; --i) verifie_tas(t, d, i);
    while (d > 0) {
        T echange = t[0];
        t[0] = t[d];
        t[d] = echange;
        --d;
        verifie_tas(t, d, 0);
    }
}

}  // namespace Heapsort
