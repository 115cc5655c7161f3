VERSION 5.00
Begin VB.Form frm고객관리
   Caption         =   "고객 관리"
   ClientHeight    =   2100
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   4680
   LinkTopic       =   "Form1"
   ScaleHeight     =   2100
   ScaleWidth      =   4680
   BeginProperty Font 
      Name            =   "굴림"
      Size            =   9
      Charset         =   129
      Weight          =   400
      Underline       =   0   'False
      Italic          =   0   'False
      Strikethrough   =   0   'False
   EndProperty
   Begin VB.TextBox txt이름
      Height          =   315
      Left            =   1320
      TabIndex        =   1
      Text            =   "홍길동"
      Top             =   240
      Width           =   3135
   End
   Begin VB.Label lbl이름
      Caption         =   "이름:"
      Height          =   255
      Left            =   240
      TabIndex        =   0
      Top             =   285
      Width           =   975
   End
End
Attribute VB_Name = "frm고객관리"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

' 저장 단추를 누르면 이름을 확인한다
Private Sub txt이름_Validate(Cancel As Boolean)
   If Len(txt이름.Text) = 0 Then
      MsgBox "이름을 입력하십시오"
      Cancel = True
   End If
End Sub
