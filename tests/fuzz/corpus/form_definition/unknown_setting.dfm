object frmMain: TfrmMain
  Colour = clBtnFace
  object Button1: TButton
  end
  object XPManifest1: TXPManifest
  end
  object Image1: TImage
  end
  object Label1: TLabel
  end
  object Button2: TButton
  end
end
