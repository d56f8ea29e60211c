object frmMain: TfrmMain
  object Button1: TButton
  object Button2: TButton
