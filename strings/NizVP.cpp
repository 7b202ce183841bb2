// RNizVP<T>: the resource-string layer between formatting and the concrete classes.
#include <zrno/strings.h>

template <class T> RNizVP<T>::RNizVP(unsigned int rezerva) : RNizP<T>(rezerva) {}

template <class T>
RNizVP<T>::RNizVP(RNizVP<T> const &drugi)
    : RElement(drugi), RNizP<T>(drugi), RNizNP<T>(drugi), RNizOP<T>(drugi) {}

template <class T> RNizVP<T> &RNizVP<T>::operator=(RNizVP<T> const &drugi) {
    RNizP<T>::operator=(drugi);
    return *this;
}

template class RNizVP<char>;
template class RNizVP<unsigned short>;
