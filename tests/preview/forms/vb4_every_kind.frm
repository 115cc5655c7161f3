VERSION 4.00
Begin VB.Form frmTool
   BorderStyle     =   1  'Fixed Single
   Caption         =   "Every kind"
   ClientHeight    =   3000
   ClientWidth     =   4800
   MinButton       =   0   'False
   Begin VB.Menu mnuFile
      Caption         =   "&File"
      Begin VB.Menu mnuExit
         Caption         =   "E&xit"
      End
   End
   Begin VB.Menu mnuHidden
      Caption         =   "Hidden"
      Visible         =   0   'False
   End
   Begin VB.Menu mnuHelp
      Caption         =   "Help && &Index"
   End
   Begin VB.TextBox txtUnder
      Height          =   285
      Left            =   120
      Text            =   "Under the label"
      Top             =   960
      Width           =   1800
   End
   Begin VB.Label lblOver
      Caption         =   "Beneath"
      Height          =   255
      Left            =   1200
      Top             =   960
      Width           =   1200
   End
   Begin VB.Shape shpKind0
      BackColor       =   &H0000FFFF&
      BackStyle       =   0  'Opaque
      BorderStyle     =   0
      FillStyle       =   2
      FillColor       =   &H00FF0000&
      Height          =   600
      Left            =   120
      Shape           =   0
      Top             =   120
      Width           =   600
   End
   Begin VB.Shape shpKind1
      BackColor       =   &H0000FFFF&
      BackStyle       =   1  'Opaque
      BorderStyle     =   1
      FillStyle       =   3
      FillColor       =   &H00FF0000&
      Height          =   600
      Left            =   840
      Shape           =   1
      Top             =   120
      Width           =   600
   End
   Begin VB.Shape shpKind2
      BackColor       =   &H0000FFFF&
      BackStyle       =   0  'Opaque
      BorderStyle     =   2
      FillStyle       =   4
      FillColor       =   &H00FF0000&
      Height          =   600
      Left            =   1560
      Shape           =   2
      Top             =   120
      Width           =   600
   End
   Begin VB.Shape shpKind3
      BackColor       =   &H0000FFFF&
      BackStyle       =   1  'Opaque
      BorderStyle     =   3
      FillStyle       =   5
      FillColor       =   &H00FF0000&
      Height          =   600
      Left            =   2280
      Shape           =   3
      Top             =   120
      Width           =   600
   End
   Begin VB.Shape shpKind4
      BackColor       =   &H0000FFFF&
      BackStyle       =   0  'Opaque
      BorderStyle     =   4
      FillStyle       =   6
      FillColor       =   &H00FF0000&
      Height          =   600
      Left            =   3000
      Shape           =   4
      Top             =   120
      Width           =   600
   End
   Begin VB.Shape shpKind5
      BackColor       =   &H0000FFFF&
      BackStyle       =   1  'Opaque
      BorderStyle     =   5
      FillStyle       =   7
      FillColor       =   &H00FF0000&
      Height          =   600
      Left            =   3720
      Shape           =   5
      Top             =   120
      Width           =   600
   End
   Begin VB.Line linDown
      BorderColor     =   &H000000FF&
      BorderWidth     =   2
      X1              =   4440
      X2              =   3000
      Y1              =   1000
      Y2              =   1500
   End
   Begin VB.Line linFlat
      BorderStyle     =   3  'Dot
      X1              =   2400
      X2              =   4680
      Y1              =   1680
      Y2              =   1680
   End
   Begin VB.Timer tmrTick
      Interval        =   1000
      Left            =   120
      Top             =   2400
   End
   Begin MSComDlg.CommonDialog dlgOpen
      Left            =   600
      Top             =   2400
   End
   Begin VB.CommandButton cmdHidden
      Caption         =   "Hidden"
      Height          =   375
      Left            =   120
      Top             =   1440
      Visible         =   0   'False
      Width           =   1215
   End
   Begin VB.Label lblOutside
      Caption         =   "Outside"
      Height          =   255
      Left            =   5000
      Top             =   2000
      Width           =   1200
   End
End
