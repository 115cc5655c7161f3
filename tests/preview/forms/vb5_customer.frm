VERSION 5.00
Object = "{F0D2F211-CCB0-11D0-A316-00AA00688B10}#1.0#0"; "MSDATLST.OCX"
Begin VB.Form frmCustomer 
   BackColor       =   &H8000000F&
   Caption         =   "Customers & Orders"
   ClientHeight    =   3195
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   4680
   BeginProperty Font 
      Name            =   "MS Sans Serif"
      Size            =   8.25
      Charset         =   0
      Weight          =   400
      Underline       =   0   'False
      Italic          =   0   'False
      Strikethrough   =   0   'False
   EndProperty
   ScaleHeight     =   3195
   ScaleWidth      =   4680
   Begin VB.CommandButton cmdSave 
      Caption         =   "&Save"
      Default         =   -1  'True
      Height          =   375
      Left            =   3240
      TabIndex        =   3
      Top             =   2640
      Width           =   1215
   End
   Begin VB.Frame fraAddress 
      Caption         =   "Address"
      Height          =   1335
      Left            =   120
      TabIndex        =   2
      Top             =   1080
      Width           =   2895
      Begin VB.OptionButton optHome 
         Caption         =   "Home"
         Height          =   255
         Left            =   120
         TabIndex        =   5
         Top             =   360
         Value           =   -1  'True
         Width           =   1095
      End
      Begin VB.CheckBox chkVerified 
         Caption         =   "Verified"
         Height          =   255
         Left            =   120
         TabIndex        =   6
         Top             =   720
         Value           =   1  'Checked
         Width           =   1215
      End
   End
   Begin VB.TextBox txtName 
      Height          =   285
      Left            =   1200
      TabIndex        =   1
      Text            =   "Tavik Ltd"
      Top             =   600
      Width           =   3255
   End
   Begin VB.Timer tmrPoll 
      Interval        =   500
      Left            =   3960
      Top             =   120
   End
   Begin MSDataListLib.DataCombo dcbRegion 
      Height          =   315
      Left            =   3240
      TabIndex        =   4
      Top             =   1200
      Width           =   1215
   End
   Begin VB.Label lblName 
      Alignment       =   1  'Right Justify
      Caption         =   "Name:"
      ForeColor       =   &H000000FF&
      Height          =   255
      Left            =   120
      TabIndex        =   0
      Top             =   600
      Width           =   975
   End
End
Attribute VB_Name = "frmCustomer"
Attribute VB_GlobalNameSpace = False
Option Explicit
