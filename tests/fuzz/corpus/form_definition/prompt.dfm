object frmMain: TfrmMain
  Left = 409
  Top = 378
  BorderStyle = bsDialog
  Caption = 'Internet Connection'
  ClientHeight = 96
  ClientWidth = 408
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  FormStyle = fsStayOnTop
  KeyPreview = False
  Position = poDesktopCenter
  OnClose = FormClose
  OnKeyUp = FormKeyUp
  PixelsPerInch = 96
  object Image1: TImage
    Left = 12
    Top = 12
    Width = 32
    Height = 32
    AutoSize = True
    Picture = 'QUESTION'
    Transparent = True
  end
  object Label1: TLabel
    Left = 54
    Top = 16
    Width = 350
    Height = 33
    AutoSize = True
    Caption = 'No Internet connection detected. Would you like to connect to the Internet now?'
    WordWrap = True
  end
  object Button1: TButton
    Left = 142
    Top = 62
    Width = 64
    Height = 23
    Caption = 'Yes'
    Default = True
    TabOrder = 0
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 212
    Top = 62
    Width = 64
    Height = 23
    Cancel = True
    Caption = 'No'
    TabOrder = 1
    OnClick = Button2Click
  end
  object XPManifest1: TXPManifest
    Left = 320
    Top = 56
  end
end
