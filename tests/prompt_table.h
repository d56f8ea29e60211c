// What the prompt window publishes to its definition: its controls and
// methods in declaration order. Shared by the host tests and the fuzzers.
#pragma once
#include "../classlib/form_definition.h"

const PublishedField kPromptFields[] = {
    {"Button1", okButton}, {"XPManifest1", okManifest}, {"Image1", okImage}, {"Label1", okLabel}, {"Button2", okButton}};
const PublishedMethod kPromptMethods[] = {{"ConnectToInternet", ekNone}, {"GetDefConn", ekNone},
                                          {"Button1Click", ekNotify},    {"Button2Click", ekNotify},
                                          {"FormKeyUp", ekKey},          {"FormClose", ekNotify}};
const PublishedTable kPromptTable = {"TfrmMain", kPromptFields, 5, kPromptMethods, 6};
