#pragma once

class ExchangeHost;

// The frame's upload commands: each lets the user choose a file in its
// dialog over the host's frame, then sends it to the phone on the exchange worker behind the
// progress dialog. A cancelled dialog does nothing.

// IDM_MELODY: a melody into one of the phone's three own melody places.
void StartMelodyUpload(ExchangeHost& host);
// IDM_PICTURE: a picture at one of the sizes the phone's model takes.
void StartPictureUpload(ExchangeHost& host);
// IDM_ANIMATION: an animation bitmap with its frame count and frame size.
void StartAnimationUpload(ExchangeHost& host);
